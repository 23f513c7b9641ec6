#include "qv/app/RunGame.h"

#include "qv/app/CommandLine.h"
#include "qv/app/ReplayViewer.h"
#include "qv/core/GameManager.h"
#include "qv/core/LogManager.h"
#include "qv/core/Platform.h"
#include "qv/display/DisplayManager.h"
#include "qv/replay/ReplaySession.h"
#ifdef QV_WITH_TERMINAL
#include "qv/platform/terminal/TerminalPlatform.h"
#endif

#include <chrono>
#include <cstdio>
#include <string>

namespace qv {

namespace {

std::string baseName(const char* path) {
    const std::string whole = path != nullptr ? path : "";
    const std::size_t slash = whole.rfind('/');
    return slash == std::string::npos ? whole : whole.substr(slash + 1);
}

} // namespace

const char* engineVersion() {
    return QV_VERSION;
}

int runGame(int argc, char** argv, const GameSetup& setup) {
    const std::string program =
        setup.programName.empty() ? baseName(argc > 0 ? argv[0] : nullptr) : setup.programName;
    const char* const name = program.c_str();
    CommandLine options;
    if (options.parse(argc, argv) != 0 || options.wantsHelp()) {
        const bool asked = options.wantsHelp() && options.getError().empty();
        if (!asked) {
            std::fprintf(stderr, "%s: %s\n", name, options.getError().c_str());
        }
        std::fputs(CommandLine::usage(program).c_str(), asked ? stdout : stderr);
        return asked ? 0 : 2;
    }
    if (options.wantsVersion()) {
        std::printf("%s (qv %s)\n", name, engineVersion());
        return 0;
    }
    // A bad replay is refused before any window opens.
    ReplaySession& session = ReplaySession::getInstance();
    const bool replaying = !options.getReplayFile().empty();
    if ((replaying && session.startReplay(options.getReplayFile()) != 0) ||
        (!replaying && !options.getRecordFile().empty() &&
         session.startRecording(options.getRecordFile()) != 0)) {
        std::fprintf(stderr, "%s: %s\n", name, session.getError().c_str());
        return 2;
    }
    if (!session.getNote().empty()) {
        std::fprintf(stderr, "%s: %s: %s\n", name, options.getReplayFile().c_str(),
                     session.getNote().c_str());
    }
    if (!session.hasFramesToPlay()) {
        // Killed before its first frame: nothing to play and nothing wrong.
        if (options.isHeadless()) {
            std::printf("frames=0 checks=0 mismatches=0 seconds=0.000\n");
        }
        return 0;
    }
    if (!options.getRecordFile().empty() && platform::catchStopSignals() != 0) {
        std::fprintf(stderr, "%s: cannot catch the signals that end a program\n", name);
        return 1;
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
    if (options.inTerminal()) {
#ifdef QV_WITH_TERMINAL
        TerminalPlatform::use();
#else
        std::fprintf(stderr, "%s: this build cannot play in a terminal\n", name);
        return 2;
#endif
    }
    const auto started = std::chrono::steady_clock::now();
    int status = 0;
    // Said once the screen is closed: a terminal shows it only then.
    std::string failure;
    std::string stats;
    if (game.startUp() != 0) {
        log.writeLog("Error starting game manager!");
        failure = "cannot start: " + game.getStartUpFailure();
        status = 1;
    } else {
        log.setFlush(true);
        if (setup.start && setup.start() != 0) {
            failure = "cannot start: the game's setup failed; " + log.getFileName() + " says why";
            status = 1;
        } else {
            if (replaying && !options.isHeadless()) {
                ReplayViewer::Options watch;
                watch.frame = options.getFrame();
                watch.stopAtDifference = options.stopsAtDifference();
                watch.recordFile = options.getRecordFile();
                ReplayViewer(setup.start, watch).run();
            } else {
                game.run();
            }
            if (options.wantsStats()) {
                stats = game.getFrameStats().report();
            }
        }
    }
    const int finished = session.finish();
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - started;
    game.shutDown();
    if (!failure.empty()) {
        std::fprintf(stderr, "%s: %s\n", name, failure.c_str());
    }
    std::fputs(stats.c_str(), stdout);

    if (!session.getFirstMismatch().empty()) {
        std::fprintf(stderr, "%s: the replay differs from its recording at %s\n", name,
                     session.getFirstMismatch().c_str());
    } else if (replaying && !session.ranToEnd()) {
        std::fprintf(stderr, "%s: the game ended before the replay did\n", name);
    } else if (finished != 0) {
        std::fprintf(stderr, "%s: %s: %s\n", name, options.getRecordFile().c_str(),
                     session.getError().c_str());
    }
    // A replay watched in a terminal is checked as a headless one is.
    if (options.isHeadless() || (replaying && options.inTerminal())) {
        std::printf("frames=%d checks=%d mismatches=%d seconds=%.3f\n", session.getFramesRun(),
                    session.getChecks(), session.getMismatches(), seconds.count());
    }
    return finished == 0 ? status : 1;
}

} // namespace qv
