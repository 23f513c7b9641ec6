#include "QuorvelSetup.h"

#include "GameResources.h"
#include "GameStart.h"

#include "qv/core/LogManager.h"

qv::GameSetup quorvelSetup() {
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
    return setup;
}
