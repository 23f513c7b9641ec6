#include "qv/app/GameRunner.h"

#include "qv/app/RunGame.h"

#include "qv/core/GameManager.h"
#include "qv/core/LogManager.h"
#include "qv/core/Platform.h"
#include "qv/display/DisplayManager.h"
#include "qv/replay/ReplaySession.h"
#ifdef QV_WITH_TERMINAL
#include "qv/platform/terminal/TerminalPlatform.h"
#endif

#include <cstdio>

namespace qv {

namespace {

std::string baseName(const char* path) {
    const std::string whole = path != nullptr ? path : "";
    const std::size_t slash = whole.rfind('/');
    return slash == std::string::npos ? whole : whole.substr(slash + 1);
}

} // namespace

GameRunner::GameRunner(const GameSetup& gameSetup)
    : setup(gameSetup), earlyStatus(-1), framesBegun(false) {}

void GameRunner::complain(const std::string& message) const {
    std::fprintf(stderr, "%s: %s\n", program.c_str(), message.c_str());
}

bool GameRunner::start(int argc, char** argv) {
    program =
        setup.programName.empty() ? baseName(argc > 0 ? argv[0] : nullptr) : setup.programName;
    if (options.parse(argc, argv) != 0 || options.wantsHelp()) {
        const bool asked = options.wantsHelp() && options.getError().empty();
        if (!asked) {
            complain(options.getError());
        }
        std::fputs(CommandLine::usage(program).c_str(), asked ? stdout : stderr);
        earlyStatus = asked ? 0 : 2;
        return false;
    }
    if (options.wantsVersion()) {
        std::printf("%s (qv %s)\n", program.c_str(), engineVersion());
        earlyStatus = 0;
        return false;
    }
    // A bad replay is refused before any window opens.
    ReplaySession& session = ReplaySession::getInstance();
    const bool replaying = !options.getReplayFile().empty();
    if ((replaying && session.startReplay(options.getReplayFile()) != 0) ||
        (!replaying && !options.getRecordFile().empty() &&
         session.startRecording(options.getRecordFile()) != 0)) {
        complain(session.getError());
        earlyStatus = 2;
        return false;
    }
    if (!session.getNote().empty()) {
        complain(options.getReplayFile() + ": " + session.getNote());
    }
    if (!session.hasFramesToPlay()) {
        // Killed before its first frame: nothing to play and nothing wrong.
        if (options.isHeadless()) {
            std::printf("frames=0 checks=0 mismatches=0 seconds=0.000\n");
        }
        earlyStatus = 0;
        return false;
    }
    if (!options.getRecordFile().empty() && platform::catchStopSignals() != 0) {
        complain("cannot catch the signals that end a program");
        earlyStatus = 1;
        return false;
    }

    GameManager& game = GameManager::getInstance();
    LogManager& log = LogManager::getInstance();
    if (!setup.title.empty()) {
        DisplayManager::getInstance().setTitle(setup.title);
    }
    if (!setup.logFile.empty()) {
        log.setFileName(setup.logFile);
    }
    game.setHeadless(options.isHeadless());
    // Nothing reads the figures of a headless run without --stats.
    game.setTimed(!options.isHeadless() || options.wantsStats());
    DisplayManager::getInstance().setScale(options.getScale());
    if (options.inTerminal()) {
#ifdef QV_WITH_TERMINAL
        TerminalPlatform::use();
#else
        complain("this build cannot play in a terminal");
        earlyStatus = 2;
        return false;
#endif
    }
    started = std::chrono::steady_clock::now();
    if (game.startUp() != 0) {
        log.writeLog("Error starting game manager!\n");
        failure = "cannot start: " + game.getStartUpFailure();
        return false;
    }
    log.setFlush(true);
    log.watchFailures(true);
    const bool setUp = !setup.start || setup.start() == 0;
    log.watchFailures(false);
    if (!setUp) {
        failure = "cannot start: the game's setup failed; " + log.getFileName() + " says why";
        // The log's own first word on it, for whoever reads only this.
        if (!log.getFailureReport().empty()) {
            failure += "\n" + program + ": " + log.getFailureReport();
        }
        return false;
    }
    if (replaying && !options.isHeadless()) {
        ReplayViewer::Options watch;
        watch.frame = options.getFrame();
        watch.stopAtDifference = options.stopsAtDifference();
        watch.recordFile = options.getRecordFile();
        viewer = std::make_unique<ReplayViewer>(setup.start, watch);
    }
    return true;
}

bool GameRunner::isHeadless() const {
    return options.isHeadless();
}

bool GameRunner::frame(std::int64_t startMicros) {
    GameManager& game = GameManager::getInstance();
    if (!framesBegun) {
        framesBegun = true;
        if (viewer) {
            viewer->begin();
            return true;
        }
        game.beginRun();
        game.startNextFrameAt(startMicros);
    } else {
        game.startNextFrameAt(startMicros);
        game.endWait();
    }
    if (viewer && !viewer->tick()) {
        game.setGameOver(true);
        return false;
    }
    return viewer ? true : game.step();
}

void GameRunner::runFrames() {
    if (viewer) {
        viewer->run();
    } else {
        GameManager::getInstance().run();
    }
    framesBegun = true;
}

int GameRunner::finish() {
    if (earlyStatus >= 0) {
        return earlyStatus;
    }
    GameManager& game = GameManager::getInstance();
    ReplaySession& session = ReplaySession::getInstance();
    std::string stats;
    if (framesBegun && options.wantsStats()) {
        stats = game.getFrameStats().report();
    }
    const int finished = session.finish();
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - started;
    game.shutDown();
    if (!failure.empty()) {
        // The game never ran: whatever a replay or recording says would mislead.
        complain(failure);
        return 1;
    }
    std::fputs(stats.c_str(), stdout);

    const bool replaying = !options.getReplayFile().empty();
    if (!session.getFirstMismatch().empty()) {
        complain("the replay differs from its recording at " + session.getFirstMismatch());
    } else if (replaying && !session.ranToEnd()) {
        complain("the game ended before the replay did");
    } else if (finished != 0) {
        complain(options.getRecordFile() + ": " + session.getError());
    }
    // A replay watched in a terminal is checked as a headless one is.
    if (options.isHeadless() || (replaying && options.inTerminal())) {
        std::printf("frames=%d checks=%d mismatches=%d seconds=%.3f\n", session.getFramesRun(),
                    session.getChecks(), session.getMismatches(), seconds.count());
    }
    return finished == 0 && failure.empty() ? 0 : 1;
}

} // namespace qv
