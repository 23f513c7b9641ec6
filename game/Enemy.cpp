#include "Enemy.h"

#include "GameEvents.h"
#include "GameRules.h"

#include "qv/core/EventCollision.h"
#include "qv/core/EventStep.h"
#include "qv/core/LogManager.h"
#include "qv/world/WorldManager.h"

namespace {

constexpr float CHASE_SPEED = 0.1f;
constexpr int START_HEALTH = 20;
constexpr float KNOCK_BACK = 10.0f;

} // namespace

Enemy::Enemy(const std::string& type, const std::string& spriteLabel)
    : health(0), attackCountdown(60), attackSlowdown(60) {
    qv::LogManager& log = qv::LogManager::getInstance();
    setVelocity(qv::Vector(-CHASE_SPEED, 0));
    setAltitude(2);
    setSolidity(qv::Solidity::Solid);
    log.writeLog("Enemy spawned\n");

    setType(type);
    setSprite(spriteLabel);
    placeAtEdge();
    setVelocity(qv::Vector(-CHASE_SPEED, 0));
    setAltitude(2);
    setSolidity(qv::Solidity::Passable);
    health = START_HEALTH;
    log.writeLog("Enemy spawned\n");
}

Enemy::~Enemy() {
    broadcast(EventEnemyKilled());
}

int Enemy::getHealth() const {
    return health;
}

qv::Vector Enemy::heroPosition() const {
    const qv::Object* hero = findHero();
    return hero != nullptr ? hero->getPosition() : qv::Vector();
}

void Enemy::placeAtEdge() {
    const int width = worldWidth();
    const int height = worldHeight();
    int x = 0;
    int y = 0;
    if (randomNumbers().next() % 2 == 0) {
        if (randomNumbers().next() % 2 == 0) {
            x = randomNumbers().next() % width + width + 4;
            y = randomNumbers().next() % (height - 1) + 1;
        } else {
            x = -4;
            y = randomNumbers().next() % (height - 6) + 3;
        }
    } else {
        const bool top = randomNumbers().next() % 2 == 0;
        x = randomNumbers().next() % (width - 1) + 1;
        y = top ? -4 : randomNumbers().next() % (height - 6) + height + 3;
    }
    qv::WorldManager::getInstance().moveObject(
        this, qv::Vector(static_cast<float>(x), static_cast<float>(y)));
}

int Enemy::eventHandler(const qv::Event* event) {
    const std::string type = event->getType();
    if (type == qv::EventStep::TYPE) {
        chase();
        countDown(attackCountdown);
        if (health <= 0) {
            qv::LogManager::getInstance().writeLog("Enemy killed");
            removeLater(this);
        }
        return 1;
    }
    if (type == qv::EventCollision::TYPE) {
        hurtHeroOnContact(*static_cast<const qv::EventCollision*>(event), this, attackCountdown,
                          attackSlowdown);
        return 0;
    }
    if (type == EventHeroAttack::TYPE) {
        takePunch(event);
        return 0;
    }
    if (type == EventEnd::TYPE) {
        removeLater(this);
    }
    return 0;
}

void Enemy::chase() {
    qv::Vector towards = heroPosition() - getPosition();
    const float distance = towards.getLength();
    if (distance > 0) {
        towards = towards * (1.0f / distance);
    }
    setVelocity(towards * CHASE_SPEED);
}

void Enemy::takePunch(const qv::Event* event) {
    const auto* punch = static_cast<const EventHeroAttack*>(event);
    if (punchReaches(*punch, getPosition().x)) {
        health -= punch->getDamage();
        // Knocked away for one update: the next step steers it back.
        setVelocity(qv::Vector(punch->getFacingRight() ? KNOCK_BACK : -KNOCK_BACK, 0));
        playSound("enemy-hit");
    }
}
