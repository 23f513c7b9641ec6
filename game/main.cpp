// Quorvel: guard the sleeper's bed against waves of enemies.
#include "GameResources.h"
#include "GameStart.h"

#include "qv/app/RunGame.h"
#include "qv/core/LogManager.h"

int main(int argc, char** argv) {
    qv::GameSetup setup;
    setup.programName = "quorvel";
    setup.title = "Quorvel";
    setup.logFile = "quorvel.log";
    setup.start = [] {
        qv::LogManager& log = qv::LogManager::getInstance();
        log.writeLog("Loading Sprites\n");
        loadGameResources();
        new GameStart;
        log.writeLog("Wave started\n");
        return 0;
    };
    return qv::runGame(argc, argv, setup);
}
