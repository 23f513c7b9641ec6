#include "Fireball.h"

#include "GameRules.h"

#include "qv/core/EventCollision.h"
#include "qv/core/EventOut.h"

namespace {

/// Objects a fireball flies through.
bool isFireproof(const std::string& type) {
    return type == "Hero" || type == "Bed" || type == "Fireball" || type == "Battleship";
}

} // namespace

Fireball::Fireball(qv::Vector position) {
    setType("Fireball");
    setSprite("fireball");
    setSolidity(qv::Solidity::Passable);
    setPosition(position);
}

int Fireball::eventHandler(const qv::Event* event) {
    const std::string type = event->getType();
    if (type == qv::EventOut::TYPE) {
        removeLater(this);
        return 1;
    }
    if (type == qv::EventCollision::TYPE) {
        const auto* collision = static_cast<const qv::EventCollision*>(event);
        const std::string first = collision->getObject1()->getType();
        const std::string second = collision->getObject2()->getType();
        if ((first == "Fireball" && !isFireproof(second)) ||
            (second == "Fireball" && !isFireproof(first))) {
            removeLater(collision->getObject2());
            removeLater(collision->getObject1());
            playSound("boom");
        }
        return 1;
    }
    return 0;
}
