// Quorvel: guard the sleeper's bed against waves of enemies.
#include "GameResources.h"
#include "GameStart.h"

#include "core/GameManager.h"
#include "core/LogManager.h"

int main() {
    qv::GameManager& game = qv::GameManager::getInstance();
    qv::LogManager& log = qv::LogManager::getInstance();
    if (game.startUp() != 0) {
        log.writeLog("Error starting game manager!");
    } else {
        log.setFlush(true);
        log.writeLog("Loading Sprites\n");
        loadGameResources();
        new GameStart;
        log.writeLog("Wave started\n");
        game.run();
    }
    game.shutDown();
    return 0;
}
