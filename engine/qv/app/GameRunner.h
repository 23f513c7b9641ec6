#ifndef QV_APP_GAMERUNNER_H
#define QV_APP_GAMERUNNER_H

#include "qv/app/CommandLine.h"
#include "qv/app/GameSetup.h"
#include "qv/app/ReplayViewer.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

namespace qv {

/// A whole qv program in three parts, for platforms that run its frames in
/// their own way: start() reads the options and starts the replay session,
/// the engine and the game; frame() runs one frame; finish() shuts all down,
/// reports and gives the exit status. runGame() is start(), the frame loop
/// and finish() in a row.
class GameRunner {
public:
    /// A runner for the game that setup describes (copied).
    explicit GameRunner(const GameSetup& setup);

    /// Reads the command line, starts a recording or a replay, the engine
    /// and setup.start. True when frames are to run; false when the program
    /// is already done (--help, --version, a bad option or replay, a failed
    /// start), after which finish() says how it ended.
    bool start(int argc, char** argv);

    /// Whether the run is headless (no window, no sound, no waiting).
    bool isHeadless() const;

    /// Runs one frame at once, without waiting. False once the game is over
    /// (no frame runs then). startMicros: when the frame starts on the
    /// monotonic clock, for a display that shows it from a refresh at that
    /// time; -1 for now.
    bool frame(std::int64_t startMicros = -1);

    /// Runs frames until the game is over, waiting out each frame's period
    /// (not at all when headless).
    void runFrames();

    /// Prints the statistics asked for, ends the recording or replay, shuts
    /// the engine down, prints the verdict lines and returns the program's
    /// exit status (see runGame()). Call it once, after start().
    int finish();

private:
    /// Prints "program: message" on standard error.
    void complain(const std::string& message) const;

    GameSetup setup;
    std::string program;
    CommandLine options;
    /// The exit status decided before any frame could run, or -1.
    int earlyStatus;
    /// Whether frame() has run a frame since start().
    bool framesBegun;
    /// A replay being watched (not headless), from start() on.
    std::unique_ptr<ReplayViewer> viewer;
    /// Said once the screen is closed: a terminal shows it only then.
    std::string failure;
    std::chrono::steady_clock::time_point started;
};

} // namespace qv

#endif
