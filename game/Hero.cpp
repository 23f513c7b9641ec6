#include "Hero.h"

#include "Fireball.h"
#include "GameEvents.h"
#include "GameRules.h"
#include "Nightmare.h"

#include "qv/core/EventMouse.h"
#include "qv/core/EventStep.h"
#include "qv/core/EventView.h"
#include "qv/display/Color.h"
#include "qv/resources/Sprite.h"
#include "qv/world/WorldManager.h"

namespace {

constexpr int MAX_HEALTH = 100;
constexpr int PUNCH_DAMAGE = 10;
constexpr int HEAL_AMOUNT = 10;
constexpr int NIGHTMARE_LIMIT = 99;
constexpr float STEP = 0.5f;
constexpr float KNOCK_BACK = 3.0f;
constexpr float DIAGONAL = 0.7071068f;

} // namespace

Hero::Hero()
    : facingRight(true), pose("Hero"), health(MAX_HEALTH), bed(nullptr), moveSlowdown(2),
      moveCountdown(2), attackSlowdown(15), attackCountdown(15), healSlowdown(150),
      healCountdown(150), fireSlowdown(150), fireCountdown(150), burstSlowdown(200),
      burstCountdown(200), poseSlowdown(300), poseCountdown(300), tintSlowdown(30),
      tintCountdown(30) {
    setType("Hero");
    setSprite("hero-right");
    setPosition(qv::Vector(40, 12));
    setAltitude(3);
}

int Hero::getHealth() const {
    return health;
}

bool Hero::isFacingRight() const {
    return facingRight;
}

std::string Hero::getPose() const {
    return pose;
}

int Hero::eventHandler(const qv::Event* event) {
    const std::string type = event->getType();
    if (type == qv::EventKeyboard::TYPE) {
        onKey(static_cast<const qv::EventKeyboard*>(event));
        return 1;
    }
    if (type == qv::EventStep::TYPE) {
        onStep();
        if (health > 0 && bedLevel() < NIGHTMARE_LIMIT) {
            return 1;
        }
        broadcast(EventEnd());
        removeLater(this);
        return 1;
    }
    if (type == qv::EventMouse::TYPE) {
        if (static_cast<const qv::EventMouse*>(event)->getMouseAction() ==
            qv::MouseAction::CLICKED) {
            attack();
        }
        return 1;
    }
    if (type == EventEnemyAttack::TYPE) {
        moveBy(qv::Vector(facingRight ? -KNOCK_BACK : KNOCK_BACK, 0));
        health -= static_cast<const EventEnemyAttack*>(event)->getDamage();
        broadcast(qv::EventView("Health", health, false));
        playSound("hero-hit");
        return 0;
    }
    if (type == EventBed::TYPE) {
        if (static_cast<const EventBed*>(event)->getInBed()) {
            attackCountdown = attackSlowdown;
            setSprite("empty");
        }
        return 0;
    }
    return 0;
}

void Hero::onKey(const qv::EventKeyboard* event) {
    if (event->getKeyboardAction() != qv::KeyboardAction::HELD) {
        return;
    }
    switch (event->getKey()) {
    case qv::Keyboard::ESCAPE:
        health = 0;
        break;
    case qv::Keyboard::A:
        facingRight = false;
        showFacingSprite();
        moveBy(qv::Vector(-STEP, 0));
        break;
    case qv::Keyboard::D:
        facingRight = true;
        showFacingSprite();
        moveBy(qv::Vector(STEP, 0));
        break;
    case qv::Keyboard::W:
        moveBy(qv::Vector(0, -STEP));
        break;
    case qv::Keyboard::S:
        moveBy(qv::Vector(0, STEP));
        break;
    case qv::Keyboard::E:
        shootFireball();
        break;
    case qv::Keyboard::Q:
        heal();
        break;
    case qv::Keyboard::R:
        fireBurst();
        break;
    default:
        break;
    }
}

void Hero::onStep() {
    countDown(moveCountdown);
    countDown(attackCountdown);
    countDown(healCountdown);
    countDown(fireCountdown);
    countDown(burstCountdown);
    if (pose != "Hero") {
        countDown(poseCountdown);
    }
    qv::Sprite* sprite = getSprite();
    if (sprite != nullptr && sprite->getColor() != qv::RED) {
        countDown(tintCountdown);
    }
    if (poseCountdown == 0) {
        showFacingSprite();
        poseCountdown = poseSlowdown;
    }
    if (tintCountdown == 0) {
        // The sprite may have changed in showFacingSprite().
        if (getSprite() != nullptr) {
            getSprite()->setColor(qv::RED);
        }
        tintCountdown = tintSlowdown;
    }
    // The calmer the sleeper, the slower the special attacks recharge.
    const int level = bedLevel();
    healSlowdown = 150 - level;
    fireSlowdown = 150 - level;
    burstSlowdown = 200 - level;
}

void Hero::moveBy(qv::Vector offset) {
    if (moveCountdown > 0) {
        return;
    }
    const qv::Vector target = getPosition() + offset;
    moveCountdown = moveSlowdown;
    const float width = qv::WorldManager::getInstance().getBoundary().horizontal;
    const float height = qv::WorldManager::getInstance().getBoundary().vertical;
    if (target.x >= 2 && target.x <= width - 2 && target.y >= 1 && target.y <= height - 2) {
        qv::WorldManager::getInstance().moveObject(this, target);
    }
}

void Hero::attack() {
    if (attackCountdown > 0) {
        return;
    }
    attackCountdown = attackSlowdown;
    setSprite(facingRight ? "hero-attack-right" : "hero-attack-left");
    pose = "Hero-Attack";
    playSound("hero-punch");
    EventHeroAttack punch;
    punch.setDamage(PUNCH_DAMAGE);
    punch.setPosition(getPosition());
    punch.setFacingRight(facingRight);
    broadcast(punch);
}

void Hero::shootFireball() {
    if (fireCountdown > 0) {
        return;
    }
    fireCountdown = fireSlowdown;
    auto* fireball = new Fireball(getPosition());
    fireball->setVelocity(qv::Vector(facingRight ? 1.0f : -1.0f, 0));
}

void Hero::fireBurst() {
    if (burstCountdown > 0) {
        return;
    }
    burstCountdown = burstSlowdown;
    const qv::Vector directions[] = {
        {0, -1}, {DIAGONAL, -DIAGONAL}, {1, 0},  {DIAGONAL, DIAGONAL},
        {0, 1},  {-DIAGONAL, DIAGONAL}, {-1, 0}, {-DIAGONAL, -DIAGONAL},
    };
    for (const qv::Vector& direction : directions) {
        auto* fireball = new Fireball(getPosition());
        fireball->setVelocity(direction);
    }
}

void Hero::heal() {
    if (healCountdown > 0) {
        return;
    }
    healCountdown = healSlowdown;
    if (getSprite() != nullptr) {
        getSprite()->setColor(qv::GREEN);
    }
    if (health + HEAL_AMOUNT <= MAX_HEALTH) {
        health += HEAL_AMOUNT;
        broadcast(qv::EventView("Health", HEAL_AMOUNT, true));
    } else {
        health = MAX_HEALTH;
        broadcast(qv::EventView("Health", MAX_HEALTH, false));
    }
}

void Hero::showFacingSprite() {
    setSprite(facingRight ? "hero-right" : "hero-left");
    pose = "Hero";
}

int Hero::bedLevel() {
    const qv::ObjectList beds = qv::WorldManager::getInstance().objectsOfType("Bed");
    // A bed no longer in the world may have been deleted: never look at it.
    bed = beds.isEmpty() ? nullptr : static_cast<Nightmare*>(beds[beds.getCount() - 1]);
    return bed != nullptr ? bed->getNightmareLevel() : 0;
}
