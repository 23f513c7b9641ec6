#include "support/RecordingObject.h"

#include "core/Event.h"

namespace qvtest {

RecordingObject::RecordingObject(std::vector<std::string>* journal) : journal(journal) {}

RecordingObject::~RecordingObject() {
    if (destroyedCount != nullptr) {
        ++*destroyedCount;
    }
}

int RecordingObject::eventHandler(const qv::Event* event) {
    note(event->getType());
    if (onEvent) {
        onEvent(*this, event);
    }
    return 1;
}

int RecordingObject::draw() {
    note("draw");
    return 0;
}

void RecordingObject::note(const std::string& what) {
    received.push_back(what);
    if (journal != nullptr) {
        journal->push_back(std::to_string(getId()) + ":" + what);
    }
}

} // namespace qvtest
