#include "qv/core/Manager.h"

#include "qv/world/Object.h"
#include "qv/world/ObjectList.h"
#include "qv/world/WorldManager.h"

namespace qv {

Manager::Manager() : type("Manager"), started(false) {}

int Manager::startUp() {
    started = true;
    return 0;
}

void Manager::shutDown() {
    started = false;
}

std::string Manager::getType() const {
    return type;
}

void Manager::setType(std::string newType) {
    type = std::move(newType);
}

bool Manager::isStarted() const {
    return started;
}

void Manager::setStarted(bool isNowStarted) {
    started = isNowStarted;
}

int Manager::onEvent(const Event* event) const {
    const ObjectList snapshot = WorldManager::getInstance().getAllObjects();
    int delivered = 0;
    for (int i = 0; i < snapshot.getCount(); ++i) {
        snapshot[i]->eventHandler(event);
        ++delivered;
    }
    return delivered;
}

} // namespace qv
