#include "Implies.h"

#include "GameEvents.h"
#include "GameRules.h"

#include "qv/core/EventCollision.h"
#include "qv/core/EventOut.h"

Implies::Implies(qv::Vector position, int damage, qv::Vector velocity)
    : damage(damage), spent(false) {
    setType("Implies");
    setSprite("implies");
    setSolidity(qv::Solidity::Passable);
    setPosition(position);
    setVelocity(velocity);
}

int Implies::getDamage() const {
    return damage;
}

int Implies::eventHandler(const qv::Event* event) {
    const std::string type = event->getType();
    if (type == qv::EventOut::TYPE) {
        removeLater(this);
        return 1;
    }
    if (type == qv::EventCollision::TYPE) {
        const auto* collision = static_cast<const qv::EventCollision*>(event);
        const bool touchesHero = collision->getObject1()->getType() == "Hero" ||
                                 collision->getObject2()->getType() == "Hero";
        if (touchesHero && !spent) {
            spent = true;
            broadcast(EventEnemyAttack(damage));
            removeLater(this);
        }
        return 1;
    }
    if (type == EventEnd::TYPE) {
        removeLater(this);
    }
    return 0;
}
