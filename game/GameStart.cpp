#include "GameStart.h"

#include "GameOver.h"
#include "Health.h"
#include "Hero.h"
#include "Nightmare.h"
#include "NightmareView.h"
#include "ScoreView.h"
#include "Wave.h"
#include "WaveView.h"

#include "qv/core/EventKeyboard.h"
#include "qv/core/GameManager.h"
#include "qv/resources/ResourceManager.h"
#include "qv/world/WorldManager.h"

GameStart::GameStart() : music(nullptr) {
    setType("GameStart");
    const qv::Box boundary = qv::WorldManager::getInstance().getBoundary();
    setPosition(qv::Vector(boundary.horizontal * 0.5f, boundary.vertical * 0.5f));
    setSprite("gamestart");
    music = qv::ResourceManager::getInstance().findMusic("game-music");
    if (music != nullptr) {
        music->setLoop(true);
        music->play();
    }
}

int GameStart::draw() {
    return qv::Object::draw();
}

int GameStart::eventHandler(const qv::Event* event) {
    if (event->getType() != qv::EventKeyboard::TYPE) {
        return 0;
    }
    switch (static_cast<const qv::EventKeyboard*>(event)->getKey()) {
    case qv::Keyboard::P:
        startGame();
        break;
    case qv::Keyboard::Q:
        qv::GameManager::getInstance().setGameOver(true);
        break;
    default:
        break;
    }
    return 1;
}

void GameStart::startGame() {
    new Hero;
    new Nightmare;

    auto* nightmare = new NightmareView;
    nightmare->setLocation(qv::TOP_RIGHT);
    nightmare->setViewString("Nightmare");
    nightmare->setColor(qv::YELLOW);

    auto* health = new Health;
    health->setLocation(qv::TOP_LEFT);
    health->setViewString("Health");
    health->setColor(qv::YELLOW);
    health->setValue(100);

    auto* wave = new WaveView;
    wave->setLocation(qv::TOP_CENTER);
    wave->setViewString("Wave");
    wave->setValue(1);
    wave->setColor(qv::YELLOW);

    auto* score = new ScoreView;
    score->setLocation(qv::BOTTOM_LEFT);
    score->setViewString("Score");
    score->setColor(qv::YELLOW);

    new Wave(1);
    new GameOver;

    // Safe inside a broadcast: it walks a snapshot and visits this object no more.
    delete this;
}
