#include "Battleship.h"

#include "GameEvents.h"
#include "GameRules.h"

#include "qv/core/EventCollision.h"
#include "qv/core/EventOut.h"
#include "qv/world/WorldManager.h"

Battleship::Battleship() : attackCountdown(0), attackSlowdown(60) {
    setType("Battleship");
    setSprite("battleship");
    setSolidity(qv::Solidity::Passable);
    placeAtSide();
}

Battleship::~Battleship() {
    broadcast(EventEnemyKilled());
}

void Battleship::placeAtSide() {
    qv::WorldManager& world = qv::WorldManager::getInstance();
    const int rows = worldHeight() - 1;
    const bool fromRight = randomNumbers().next() % 2 != 0;
    float x = fromRight ? static_cast<float>(worldWidth() + 3) : -3.0f;
    const float y = static_cast<float>(randomNumbers().next() % rows + 1);
    setVelocity(qv::Vector(fromRight ? -1.0f : 1.0f, 0));
    // Step outwards until the battleship would overlap nothing.
    const float outwards = fromRight ? 1.0f : -1.0f;
    while (!world.getCollisions(this, qv::Vector(x, y)).isEmpty()) {
        x += outwards;
    }
    world.moveObject(this, qv::Vector(x, y));
}

int Battleship::eventHandler(const qv::Event* event) {
    const std::string type = event->getType();
    if (type == qv::EventOut::TYPE) {
        removeLater(this);
        return 1;
    }
    if (type == qv::EventCollision::TYPE) {
        // The countdown never runs down again: one hit per battleship.
        hurtHeroOnContact(*static_cast<const qv::EventCollision*>(event), this, attackCountdown,
                          attackSlowdown);
        return 1;
    }
    if (type == EventEnd::TYPE) {
        removeLater(this);
    }
    return 0;
}
