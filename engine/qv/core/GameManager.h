#ifndef QV_CORE_GAMEMANAGER_H
#define QV_CORE_GAMEMANAGER_H

#include "qv/core/Clock.h"
#include "qv/core/FrameStats.h"
#include "qv/core/Manager.h"

#include <csignal>
#include <cstdint>
#include <string>

namespace qv {

/// Starts and stops every other manager in a fixed order and runs the frame
/// loop: step, input, world update, drawing, showing the frame, sleeping out
/// the rest of the frame period.
class GameManager : public Manager {
public:
    /// Blocks until the time source reaches a time in microseconds; tests
    /// pass one that only records and moves their fake time on.
    using Sleeper = void (*)(std::int64_t wakeAtMicros);

    /// The one game manager, made on first use.
    static GameManager& getInstance();

    /// Starts the log, display, input, resource and world managers, in this
    /// order, and sets the world's boundary and view to the display grid.
    /// Every manager is tried even when an earlier one failed. 0 if all
    /// started, -1 otherwise (those that started stay started).
    int startUp() override;

    /// One line naming what made the last startUp() fail, or empty.
    std::string getStartUpFailure() const;

    /// Stops the managers in the reverse order and sets the game-over flag.
    void shutDown() override;

    /// Runs frames until the game-over flag is set; a frame in which it is
    /// set still runs to its end. Returns at once if it is already set.
    /// Frames start every 33 ms on the monotonic clock, to within the
    /// system's wake-up latency (typically 0.05 to 0.2 ms on Linux); a frame
    /// whose work overran is followed by a full 33 ms sleep.
    void run();

    /// Prepares a run of frames as run() does (frame count, statistics, the
    /// stop flag) without running one; a platform that is handed its frames
    /// one at a time (a page, on the display's refresh) calls it first and
    /// then step() whenever a frame is due.
    void beginRun();

    /// Runs one frame at once (step event, input, world update, drawing,
    /// showing) without sleeping. False once the game is over after it, or
    /// if it already was, in which case no frame runs.
    bool step();

    /// Marks the end of the time between two frames (the sleep phase of the
    /// frame statistics); run() calls it after each sleep, a platform that
    /// calls step() itself calls it when the next frame is due.
    void endWait();

    /// The next frame starts at startMicros on the loop's time source, not
    /// when step() is called: a platform whose display shows each frame
    /// from a refresh passes the refresh's time, so the period runs from the
    /// refresh that shows one frame to the one that shows the next, and the
    /// wait ends there. Holds for one frame; call it before endWait().
    void startNextFrameAt(std::int64_t startMicros);

    /// Whether frames are timed (true until set). An untimed run reads no
    /// clock in step() and its statistics stay empty: a headless run that
    /// reports none saves the reads, which in a page are calls out to the
    /// browser.
    void setTimed(bool isTimed);

    /// Headless (set before startUp()): no window, no sound, and the loop
    /// does not sleep, running frames as fast as they come.
    void setHeadless(bool isHeadless);
    /// Whether the run is headless.
    bool isHeadless() const;

    /// The loop tests this flag after each frame.
    void setGameOver(bool isGameOver = true);
    /// Whether the loop ends after the current frame.
    bool getGameOver() const;

    /// A flag a signal handler may set (null for none): the loop sets the
    /// game-over flag after any frame in which it is non-zero.
    void setStopFlag(const volatile std::sig_atomic_t* flag);

    /// Sets the game-over flag if the stop flag is up; whether the game is
    /// over. A loop of its own between frames (a replay's viewer, paused)
    /// asks it.
    bool stopRequested();

    /// Whether the last run() ended because the stop flag was set.
    bool wasStopped() const;

    /// The frame period in milliseconds (33).
    int getFrameTime() const;

    /// Replaces the loop's time source and sleep (null restores the real
    /// ones), so tests can run frames without waiting for them.
    void setTiming(Clock::TimeSource timeSource, Sleeper sleeper);

    /// How long each phase of the frames of the current (or last) run()
    /// took, on the loop's time source; run() starts them afresh.
    const FrameStats& getFrameStats() const;

private:
    GameManager();

    /// Draws every object of altitude 0 to 4 that lies in the view, and
    /// every view object wherever it lies.
    void drawWorld() const;

    /// Ends the phase now, if frames are timed.
    void markPhase(FramePhase phase);

    /// The number of the next frame step() runs, from 0 after beginRun().
    int nextFrame;
    int frameTime;
    bool gameOver;
    bool headless;
    Clock::TimeSource timeSource;
    Sleeper sleeper;
    const volatile std::sig_atomic_t* stopFlag;
    Clock clock;
    bool stopped;
    bool timed;
    /// The start startNextFrameAt() gave the next frame, or -1 for none.
    std::int64_t nextStart;
    FrameStats frameStats;
};

} // namespace qv

#endif
