// Seeking plays the recorded game again, so a seek must land on exactly the
// frame a straight replay shows, whichever way it goes, and a game whose
// state outlives its world must be caught instead of shown wrong.
#include "qv/app/ReplayCursor.h"
#include "qv/app/TestGame.h"
#include "qv/core/EventKeyboard.h"
#include "qv/core/GameManager.h"
#include "qv/display/DisplayManager.h"
#include "qv/replay/ReplaySession.h"
#include "qv/world/WorldManager.h"
#include "support/AnsiScreen.h"
#include "support/RecordingObject.h"
#include "support/TestSupport.h"

#include "QuorvelSetup.h"

#include <gtest/gtest.h>

#include <map>

namespace {

// The engine started headless on a replay, as the viewer finds it.
struct Watched {
    Watched(const std::string& path, const std::function<int()>& setup) : cursor(setup) {
        qv::GameManager::getInstance().setHeadless(true);
        EXPECT_EQ(qv::ReplaySession::getInstance().startReplay(path), 0);
        EXPECT_EQ(qv::GameManager::getInstance().startUp(), 0);
        EXPECT_EQ(setup(), 0);
        qv::GameManager::getInstance().beginRun();
    }
    ~Watched() {
        qv::ReplaySession::getInstance().stopReplay();
        qv::ReplaySession::getInstance().finish();
        qv::GameManager::getInstance().shutDown();
    }
    std::string screen() const {
        return qvtest::screenText(qv::DisplayManager::getInstance().getGrid());
    }
    qv::ReplayCursor cursor;
};

TEST(ReplaySeek, LandsOnTheFrameAStraightReplayShowsBackAndForth) {
    for (const char* name : {"enemies-close-in", "hud-and-burst"}) {
        SCOPED_TRACE(name);
        const std::string base = qvtest::sourcePath("tests/replays/") + name;
        std::map<int, std::string> straight;
        {
            Watched replay(base + ".replay", quorvelSetup().start);
            while (replay.cursor.step(true)) {
                straight[replay.cursor.getFrame()] = replay.screen();
            }
        }
        const int last = static_cast<int>(straight.size()) - 1;
        EXPECT_EQ(straight[last], qvtest::readFile(base + ".screen"));
        Watched replay(base + ".replay", quorvelSetup().start);
        for (const int target : {last * 3 / 4, 30, 31, last - 1, 0, last / 2, last / 2 - 1, last}) {
            EXPECT_EQ(replay.cursor.seek(target), 0) << replay.cursor.getProblem();
            EXPECT_EQ(replay.cursor.getFrame(), target);
            EXPECT_EQ(replay.screen(), straight[target]) << "at frame " << target;
            EXPECT_EQ(qv::ReplaySession::getInstance().getFirstMismatch(), "");
        }
    }
}

// A test goes on from frame 400 of a player's game with input of its own.
TEST(ReplaySeek, TestGameStartsFromAReplayAtAFrameAndTakesItsOwnInput) {
    const std::string path = qvtest::sourcePath("tests/replays/enemies-close-in.replay");
    std::string atFrame;
    {
        Watched replay(path, quorvelSetup().start);
        ASSERT_EQ(replay.cursor.seek(400), 0);
        atFrame = replay.screen();
    }
    qv::TestGame game;
    ASSERT_EQ(game.startFromReplay(path, 400, quorvelSetup().start), 0);
    EXPECT_EQ(game.getFrame(), 401);
    EXPECT_EQ(qvtest::screenText(game.getGrid()), atFrame);
    const auto heroes = [] {
        return qv::WorldManager::getInstance().objectsOfType("Hero").getCount();
    };
    EXPECT_EQ(heroes(), 1);
    game.hold(qv::Keyboard::ESCAPE, 401, 1); // gives up: the game ends
    EXPECT_EQ(game.run(5), 5);
    EXPECT_EQ(heroes(), 0);
}

TEST(ReplaySeek, TestGameRefusesAFrameThePlayerNeverReached) {
    qv::TestGame game;
    EXPECT_EQ(game.startFromReplay(qvtest::sourcePath("tests/replays/enemies-close-in.replay"),
                                   5000, quorvelSetup().start),
              -1);
}

// The viewer's own keys past NUM0 reach a game as any key outside its table.
TEST(ReplaySeek, TheViewersKeysReachTheGameAsUndefined) {
    qv::TestGame game;
    ASSERT_EQ(game.start(nullptr), 0);
    std::vector<int> heard;
    auto* listener = new qvtest::RecordingObject;
    listener->onEvent = [&heard](qvtest::RecordingObject&, const qv::Event* event) {
        if (event->getType() == qv::EventKeyboard::TYPE) {
            heard.push_back(static_cast<const qv::EventKeyboard*>(event)->getKey());
        }
    };
    for (const auto key : {qv::Keyboard::HOME, qv::Keyboard::END, qv::Keyboard::LEFT_BRACKET,
                           qv::Keyboard::RIGHT_BRACKET, qv::Keyboard::NUM0}) {
        game.feed(0, qv::InputEvent::key(qv::KeyboardAction::PRESSED, key));
    }
    game.run(1);
    EXPECT_EQ(heard, (std::vector<int>{-1, -1, -1, -1, qv::Keyboard::NUM0}));
}

int placed = 0; // never reset by the game: a fresh process starts it at 0

int placeByStatic() {
    auto* marker = new qvtest::RecordingObject;
    marker->setPosition(qv::Vector(static_cast<float>(placed++), 3));
    return 0;
}

TEST(ReplaySeek, RefusesToGoBackInAGameWhoseStaticsOutliveItsWorld) {
    qv::GameManager& game = qv::GameManager::getInstance();
    game.setHeadless(true);
    ASSERT_EQ(qv::ReplaySession::getInstance().startRecording("static.replay"), 0);
    ASSERT_EQ(game.startUp(), 0);
    placeByStatic();
    game.beginRun();
    for (int frame = 0; frame < 100; ++frame) {
        game.step();
    }
    ASSERT_EQ(qv::ReplaySession::getInstance().finish(), 0);
    game.shutDown();

    placed = 0;
    Watched replay("static.replay", placeByStatic);
    EXPECT_EQ(replay.cursor.seek(80), 0);
    EXPECT_EQ(replay.cursor.seek(20), -1);
    EXPECT_NE(replay.cursor.getProblem().find("seeking back is not possible for this game"),
              std::string::npos);
    EXPECT_FALSE(replay.cursor.canSeekBack());
    EXPECT_EQ(replay.cursor.seek(10), -1);
}

} // namespace
