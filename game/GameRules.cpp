#include "GameRules.h"

#include "resources/ResourceManager.h"
#include "world/Object.h"
#include "world/WorldManager.h"

void countDown(int& countdown) {
    if (countdown > 0) {
        --countdown;
    }
}

void playSound(const std::string& label) {
    sf::Sound* sound = qv::ResourceManager::getInstance().getSound(label);
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

int worldWidth() {
    return static_cast<int>(qv::WorldManager::getInstance().getBoundary().horizontal);
}

int worldHeight() {
    return static_cast<int>(qv::WorldManager::getInstance().getBoundary().vertical);
}
