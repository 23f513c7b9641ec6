#include "GameRules.h"

#include "GameEvents.h"

#include "qv/core/EventCollision.h"
#include "qv/resources/ResourceManager.h"
#include "qv/world/Object.h"
#include "qv/world/WorldManager.h"

#include <cmath>

void countDown(int& countdown) {
    if (countdown > 0) {
        --countdown;
    }
}

void playSound(const std::string& label) {
    qv::Sound* sound = qv::ResourceManager::getInstance().findSound(label);
    if (sound != nullptr) {
        sound->setLoop(false);
        sound->play();
    }
}

void broadcast(const qv::Event& event) {
    qv::WorldManager::getInstance().onEvent(&event);
}

void removeLater(qv::Object* object) {
    qv::WorldManager::getInstance().markForDelete(object);
}

qv::Object* findHero() {
    const qv::ObjectList heroes = qv::WorldManager::getInstance().objectsOfType("Hero");
    return heroes.isEmpty() ? nullptr : heroes[heroes.getCount() - 1];
}

qv::Random& randomNumbers() {
    static qv::Random numbers;
    return numbers;
}

int worldWidth() {
    return static_cast<int>(qv::WorldManager::getInstance().getBoundary().horizontal);
}

int worldHeight() {
    return static_cast<int>(qv::WorldManager::getInstance().getBoundary().vertical);
}

void hurtHeroOnContact(const qv::EventCollision& collision, const qv::Object* self,
                       int& attackCountdown, int attackSlowdown) {
    const int contactDamage = 10;
    const qv::Object* first = collision.getObject1();
    const qv::Object* second = collision.getObject2();
    const qv::Object* hero = findHero();
    const bool contact =
        hero != nullptr && (first == self || second == self) && (first == hero || second == hero);
    if (contact && attackCountdown <= 0) {
        attackCountdown = attackSlowdown;
        broadcast(EventEnemyAttack(contactDamage));
    }
}

bool punchReaches(const EventHeroAttack& punch, float x) {
    const float reach = 5.0f;
    const float dx = x - punch.getPosition().x;
    const bool inReach = std::fabs(dx) <= reach;
    if (dx >= 0 && punch.getFacingRight()) {
        return inReach;
    }
    return inReach && !punch.getFacingRight();
}
