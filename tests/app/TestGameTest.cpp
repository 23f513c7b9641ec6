// The test kit drives the real loop headless: events land in the frames they
// were fed for, run() stops after its frames or when the game ends, and the
// digest follows the world.
#include "qv/app/TestGame.h"
#include "qv/core/Environment.h"
#include "qv/core/EventKeyboard.h"
#include "qv/core/EventMouse.h"
#include "qv/core/EventStep.h"
#include "qv/core/GameManager.h"
#include "qv/core/Random.h"
#include "qv/display/DisplayManager.h"
#include "qv/world/WorldManager.h"
#include "support/RecordingObject.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(TestGame, FeedsEventsInTheirFramesRunsCountedFramesAndDigestsTheWorld) {
    std::vector<std::string> heard; // "frame:key code" or "frame:cell (x, y)"
    int frame = -1;
    // Walks down on S, ends the game on Q.
    auto listen = [&](qvtest::RecordingObject& self, const qv::Event* event) {
        if (event->getType() == qv::EventStep::TYPE) {
            ++frame;
        } else if (event->getType() == qv::EventKeyboard::TYPE) {
            const auto key = static_cast<const qv::EventKeyboard*>(event)->getKey();
            heard.push_back(std::to_string(frame) + ":key " + std::to_string(key));
            if (key == qv::Keyboard::S) {
                qv::WorldManager::getInstance().moveObject(&self,
                                                           self.getPosition() + qv::Vector(0, 1));
            }
            if (key == qv::Keyboard::Q) {
                qv::GameManager::getInstance().setGameOver();
            }
        } else if (event->getType() == qv::EventMouse::TYPE) {
            const qv::Vector pixel = static_cast<const qv::EventMouse*>(event)->getMousePosition();
            heard.push_back(
                std::to_string(frame) + ":cell " +
                testing::PrintToString(qv::DisplayManager::getInstance().pixelsToCells(pixel)));
        }
    };
    qv::TestGame game;
    ASSERT_EQ(game.start([&] {
        (new qvtest::RecordingObject)->onEvent = listen;
        return 0;
    }),
              0);
    game.feed(1, qv::InputEvent::key(qv::KeyboardAction::PRESSED, qv::Keyboard::D));
    game.feed(1, qv::InputEvent::key(qv::KeyboardAction::PRESSED, qv::Keyboard::A));
    game.feed(2, qv::InputEvent::mouse(qv::MouseAction::CLICKED, qv::Mouse::LEFT, 64, 96));
    game.hold(qv::Keyboard::S, 3, 2);
    const std::uint64_t before = game.getWorldDigest();

    EXPECT_EQ(game.run(5), 5);
    const auto key = [](int at, qv::Keyboard::Key code) {
        return std::to_string(at) + ":key " + std::to_string(code);
    };
    EXPECT_EQ(heard, (std::vector<std::string>{key(1, qv::Keyboard::D), key(1, qv::Keyboard::A),
                                               "2:cell (5, 3)", key(3, qv::Keyboard::S),
                                               key(4, qv::Keyboard::S)}));
    const std::uint64_t moved = game.getWorldDigest();
    EXPECT_NE(moved, before);
    EXPECT_EQ(game.run(2), 2);
    EXPECT_EQ(game.getWorldDigest(), moved);

    // The game ends itself in the frame Q arrives; nothing runs after that.
    game.feed(8, qv::InputEvent::key(qv::KeyboardAction::PRESSED, qv::Keyboard::Q));
    EXPECT_EQ(game.run(10), 2);
    EXPECT_EQ(game.getFrame(), 9);
    EXPECT_EQ(game.run(3), 0);
}

// Two games in one process, fed alike, digest alike: ids count from 0 in
// each, and a clock fixed through the environment stays fixed even though
// the digest's session is first made in between.
TEST(TestGame, EqualRunsDigestAlikeWithTheClockFixed) {
    qv::Environment::getInstance().setOverride(
        [](const std::string& name, long long live) { return name == "time" ? 7 : live; });
    std::uint64_t digests[2] = {};
    for (std::uint64_t& digest : digests) {
        qv::TestGame game;
        ASSERT_EQ(game.start([] {
            qv::Random random(static_cast<unsigned>(qv::Environment::getInstance().calendarTime()));
            for (int i = 0; i < 3; ++i) {
                (new qvtest::RecordingObject)
                    ->setPosition(qv::Vector(static_cast<float>(random.next() % 80), 5));
            }
            return 0;
        }),
                  0);
        game.hold(qv::Keyboard::S, 0, 3);
        game.run(4);
        digest = game.getWorldDigest();
    }
    qv::Environment::getInstance().setOverride(nullptr);
    EXPECT_EQ(digests[0], digests[1]);
}

} // namespace
