// Quorvel: guard the sleeper's bed against waves of enemies.
#include "GameResources.h"
#include "GameStart.h"

#include "qv/core/CommandLine.h"
#include "qv/core/GameManager.h"
#include "qv/core/LogManager.h"

#include <cstdio>

int main(int argc, char** argv) {
    qv::CommandLine options;
    if (options.parse(argc, argv) != 0 || options.wantsHelp()) {
        const bool asked = options.wantsHelp() && options.getError().empty();
        if (!asked) {
            std::fprintf(stderr, "quorvel: %s\n", options.getError().c_str());
        }
        std::fputs(qv::CommandLine::usage("quorvel").c_str(), asked ? stdout : stderr);
        return asked ? 0 : 2;
    }
    // Record, replay, headless and stats are wired in as they come.
    if (!options.getRecordFile().empty() || !options.getReplayFile().empty() ||
        options.wantsStats()) {
        std::fprintf(stderr, "quorvel: this build cannot record, replay or measure yet\n");
        return 2;
    }

    qv::GameManager& game = qv::GameManager::getInstance();
    qv::LogManager& log = qv::LogManager::getInstance();
    int status = 0;
    if (game.startUp() != 0) {
        log.writeLog("Error starting game manager!");
        std::fprintf(stderr, "quorvel: cannot start: %s\n", game.getStartUpFailure().c_str());
        status = 1;
    } else {
        log.setFlush(true);
        log.writeLog("Loading Sprites\n");
        loadGameResources();
        new GameStart;
        log.writeLog("Wave started\n");
        game.run();
    }
    game.shutDown();
    return status;
}
