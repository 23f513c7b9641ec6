#ifndef QV_APP_TESTGAME_H
#define QV_APP_TESTGAME_H

#include "qv/display/InputEvent.h"
#include "qv/display/Keyboard.h"
#include "qv/display/TextGrid.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace qv {

/// A game run inside a test: the engine started headless (no window, no
/// sound, no sleeping between frames), keyboard and mouse events fed by frame
/// through the input path a replay uses, frames run a given number at a
/// time, and what they made read back as the text grid and the world digest
/// a replay checks. The engine's managers are single, so one TestGame at a
/// time; its destructor shuts the engine down.
///
///     qv::TestGame game;
///     ASSERT_EQ(game.start(loadAndMakeObjects), 0);
///     game.hold(qv::Keyboard::D, 0, 5);
///     game.run(10);
///     EXPECT_EQ(game.getGrid().charAt(45, 12), 'o');
class TestGame {
public:
    /// Nothing started yet.
    TestGame();
    /// Shuts the engine down if it was started.
    ~TestGame();
    /// Not copyable: it stands for the engine's one run.
    TestGame(const TestGame&) = delete;
    /// Not assignable either.
    TestGame& operator=(const TestGame&) = delete;

    /// Starts the engine headless, then calls setup (a game's start function:
    /// loads resources, makes the first objects; null for none). 0 when both
    /// succeeded; -1 when the engine did not start or setup returned non-zero.
    int start(const std::function<int()>& setup);

    /// Starts as start() does on the replay at path and plays its frames 0
    /// to frame, then hands the game over: from the next frame on its input
    /// is what feed() and hold() give (getFrame() is then frame + 1). So a
    /// player's replay becomes a case a test goes on from. 0 on success; -1
    /// when the replay cannot be read, the engine or setup fails, or the
    /// replay ends or differs before that frame.
    int startFromReplay(const std::string& path, int frame, const std::function<int()>& setup);

    /// Hands event to the objects in the given frame (0 is the first frame
    /// run), after the events queued for that frame before it.
    void feed(int frame, const InputEvent& event);

    /// Holds key down for count frames from frame on, as a player keeping it
    /// pressed does (a HELD event in each of those frames).
    void hold(Keyboard::Key key, int frame, int count);

    /// Runs frames, or fewer when the game ends itself (then later calls run
    /// none). Returns how many ran.
    int run(int frames);

    /// Frames run so far: the number of the next frame.
    int getFrame() const;

    /// The characters and colours the last frame run showed.
    const TextGrid& getGrid() const;

    /// The world now, digested as a replay's checkpoints digest it: equal
    /// digests mean the same objects in the same places and frames. Two
    /// games fed alike digest alike, one after the other in one process too
    /// (ids count from 0 in each), once what the game takes from outside is
    /// fixed: a game seeding its numbers from Environment::calendarTime()
    /// needs Environment::setOverride() to give the same time to both.
    std::uint64_t getWorldDigest() const;

private:
    class Script;

    /// The events of the frame now beginning; ends the run after its last.
    void collect(std::vector<InputEvent>& events);

    bool started;
    bool ended;
    int frame;
    int lastFrame;
    std::multimap<int, InputEvent> script;
};

} // namespace qv

#endif
