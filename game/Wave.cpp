#include "Wave.h"

#include "Battleship.h"
#include "GameEvents.h"
#include "GameRules.h"
#include "Implication.h"
#include "Quorvel.h"
#include "Racket.h"

#include "qv/core/EventStep.h"
#include "qv/core/EventView.h"
#include "qv/core/LogManager.h"
#include "qv/replay/ReplaySession.h"

Wave::Wave(int number)
    : waveNumber(number), toSpawn(0), spawned(0), remaining(0), spawnCountdown(90),
      spawnSlowdown(90), ended(false) {
    qv::LogManager& log = qv::LogManager::getInstance();
    setType("Wave");
    const int kills = 3 * number + 1;
    toSpawn = number % 5 != 0 ? kills : 2 * kills;
    log.writeLog("Now spawning %d enemies\n", toSpawn);
    remaining = kills;
    log.writeLog("Wave %d spawned\n", number);
}

Wave::~Wave() {
    broadcast(qv::EventView("Wave", 1, true));
}

int Wave::getWaveNumber() const {
    return waveNumber;
}

int Wave::getToSpawn() const {
    return toSpawn;
}

int Wave::getSpawned() const {
    return spawned;
}

int Wave::getRemaining() const {
    return remaining;
}

int Wave::eventHandler(const qv::Event* event) {
    const std::string type = event->getType();
    if (type == qv::EventStep::TYPE) {
        // After "end" (possibly earlier in this same step) nothing new may
        // enter: it would never hear "end" and outlive the game.
        if (ended) {
            return 1;
        }
        spawnEnemy();
        if (remaining <= 0) {
            qv::LogManager::getInstance().writeLog("Time for new wave\n");
            spawned = 0;
            ++waveNumber;
            removeLater(this);
            new Wave(waveNumber);
        }
        return 1;
    }
    if (type == EventEnemyKilled::TYPE) {
        --remaining;
        return 1;
    }
    if (type == EventEnd::TYPE) {
        ended = true;
        removeLater(this);
    }
    return 0;
}

void Wave::spawnEnemy() {
    if (--spawnCountdown >= 1) {
        return;
    }
    spawnCountdown = spawnSlowdown;
    if (spawned >= toSpawn) {
        qv::LogManager::getInstance().writeLog("Enemy limit reached\n");
        return;
    }
    ++spawned;
    // The engine's clock, so that a replay seeds as the recorded game did.
    randomNumbers().seed(static_cast<unsigned>(qv::ReplaySession::getInstance().calendarTime()));
    switch (randomNumbers().next() % 4) {
    case 0:
        new Racket;
        break;
    case 1:
        new Implication;
        break;
    case 2:
        new Quorvel;
        break;
    default:
        new Battleship;
        break;
    }
    qv::LogManager::getInstance().writeLog("Enemy no. %d\n", spawned);
}
