#include "Implication.h"

#include "GameEvents.h"
#include "GameRules.h"
#include "Implies.h"

#include "qv/core/EventStep.h"
#include "qv/world/WorldManager.h"

namespace {

constexpr float PUNCH_SHIFT = 2.0f;

} // namespace

Implication::Implication()
    : shotDamage(5), health(15), fireCountdown(90), fireSlowdown(90), moveCountdown(60),
      moveSlowdown(60), ended(false) {
    setType("Implication");
    setSprite("implication");
    setSolidity(qv::Solidity::Passable);
    const float x = randomNumbers().next() % 2 != 0 ? static_cast<float>(worldWidth() + 3) : -3.0f;
    const float y = static_cast<float>(randomNumbers().next() % (worldHeight() - 6) + 3);
    qv::WorldManager::getInstance().moveObject(this, qv::Vector(x, y));
}

Implication::~Implication() {
    broadcast(EventEnemyKilled());
}

int Implication::getHealth() const {
    return health;
}

int Implication::eventHandler(const qv::Event* event) {
    const std::string type = event->getType();
    if (type == qv::EventStep::TYPE) {
        onStep();
        return 1;
    }
    if (type == EventHeroAttack::TYPE) {
        takePunch(event);
        return 1;
    }
    if (type == EventEnd::TYPE) {
        // A shot fired after "end" would never hear it and outlive the game.
        ended = true;
        removeLater(this);
    }
    return 0;
}

void Implication::onStep() {
    countDown(moveCountdown);
    countDown(fireCountdown);
    const float x = getPosition().x;
    if (moveCountdown <= 0) {
        moveCountdown = moveSlowdown;
        float vx = 0;
        if (x >= static_cast<float>(worldWidth() - randomNumbers().next() % 5 + 1)) {
            vx = -1;
        } else if (static_cast<float>(randomNumbers().next() % 6 + 1) >= x) {
            vx = 1;
        }
        setVelocity(qv::Vector(vx, 0));
    }
    // The hero is looked up anew: the one seen earlier may be gone.
    const qv::Object* hero = findHero();
    if (fireCountdown <= 0 && hero != nullptr && !ended) {
        fireCountdown = fireSlowdown;
        qv::Vector aim = hero->getPosition() - getPosition();
        const float distance = aim.getLength();
        if (distance > 0) {
            aim = aim * (1.0f / distance);
        }
        new Implies(getPosition(), shotDamage, aim);
    }
    if (health <= 0) {
        removeLater(this);
    }
}

void Implication::takePunch(const qv::Event* event) {
    const auto* punch = static_cast<const EventHeroAttack*>(event);
    if (punchReaches(*punch, getPosition().x)) {
        health -= punch->getDamage();
        const float shift = punch->getFacingRight() ? PUNCH_SHIFT : -PUNCH_SHIFT;
        setPosition(getPosition() + qv::Vector(shift, 0));
        playSound("enemy-hit");
    }
}
