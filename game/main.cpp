// Quorvel: guard the sleeper's bed against waves of enemies.
#include "GameResources.h"
#include "GameStart.h"

#include "qv/app/CommandLine.h"
#include "qv/core/GameManager.h"
#include "qv/core/LogManager.h"
#include "qv/platform/desktop/StopSignals.h"
#include "qv/replay/ReplaySession.h"

#include <chrono>
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
    // A bad replay is refused before any window opens.
    qv::ReplaySession& session = qv::ReplaySession::getInstance();
    const bool replaying = !options.getReplayFile().empty();
    if ((replaying && session.startReplay(options.getReplayFile()) != 0) ||
        (!options.getRecordFile().empty() &&
         session.startRecording(options.getRecordFile()) != 0)) {
        std::fprintf(stderr, "quorvel: %s\n", session.getError().c_str());
        return 2;
    }
    if (!session.getNote().empty()) {
        std::fprintf(stderr, "quorvel: %s: %s\n", options.getReplayFile().c_str(),
                     session.getNote().c_str());
    }
    if (!session.hasFramesToPlay()) {
        // Killed before its first frame: nothing to play and nothing wrong.
        if (options.isHeadless()) {
            std::printf("frames=0 checks=0 mismatches=0 seconds=0.000\n");
        }
        return 0;
    }
    if (!options.getRecordFile().empty() && qv::StopSignals::install() != 0) {
        std::fprintf(stderr, "quorvel: cannot catch SIGTERM, SIGINT and SIGHUP\n");
        return 1;
    }

    qv::GameManager& game = qv::GameManager::getInstance();
    qv::LogManager& log = qv::LogManager::getInstance();
    game.setHeadless(options.isHeadless());
    const auto started = std::chrono::steady_clock::now();
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
        if (options.wantsStats()) {
            std::fputs(game.getFrameStats().report().c_str(), stdout);
        }
    }
    const int finished = session.finish();
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - started;
    game.shutDown();

    if (!session.getFirstMismatch().empty()) {
        std::fprintf(stderr, "quorvel: the replay differs from its recording at %s\n",
                     session.getFirstMismatch().c_str());
    } else if (replaying && !session.ranToEnd()) {
        std::fprintf(stderr, "quorvel: the game ended before the replay did\n");
    } else if (finished != 0) {
        std::fprintf(stderr, "quorvel: %s: %s\n", options.getRecordFile().c_str(),
                     session.getError().c_str());
    }
    if (options.isHeadless()) {
        std::printf("frames=%d checks=%d mismatches=%d seconds=%.3f\n", session.getFramesRun(),
                    session.getChecks(), session.getMismatches(), seconds.count());
    }
    return finished == 0 ? status : 1;
}
