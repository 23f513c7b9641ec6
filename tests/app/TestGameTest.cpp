// The test kit drives the real loop headless: events land in the frames they
// were fed for, run() stops after its frames or when the game ends, and the
// grid and the digest follow the world.
#include "qv/app/TestGame.h"
#include "qv/core/EventKeyboard.h"
#include "qv/core/EventMouse.h"
#include "qv/core/EventStep.h"
#include "qv/core/GameManager.h"
#include "qv/display/DisplayManager.h"
#include "qv/world/Object.h"
#include "qv/world/WorldManager.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Notes "frame:what" for every key and click; walks down on S, ends on Q.
class Walker : public qv::Object {
public:
    int eventHandler(const qv::Event* event) override {
        if (event->getType() == qv::EventStep::TYPE) {
            ++frame;
        } else if (event->getType() == qv::EventKeyboard::TYPE) {
            const auto key = static_cast<const qv::EventKeyboard*>(event)->getKey();
            heard.push_back(std::to_string(frame) + ":key " + std::to_string(key));
            if (key == qv::Keyboard::S) {
                qv::WorldManager::getInstance().moveObject(this, getPosition() + qv::Vector(0, 1));
            } else if (key == qv::Keyboard::Q) {
                qv::GameManager::getInstance().setGameOver();
            }
        } else if (event->getType() == qv::EventMouse::TYPE) {
            const qv::Vector pixel = static_cast<const qv::EventMouse*>(event)->getMousePosition();
            heard.push_back(
                std::to_string(frame) + ":cell " +
                testing::PrintToString(qv::DisplayManager::getInstance().pixelsToCells(pixel)));
        }
        return 1;
    }
    int draw() override {
        return qv::DisplayManager::getInstance().drawCh(getPosition(), '@', qv::GREEN);
    }

    int frame = -1;
    std::vector<std::string> heard;
};

std::string keyAt(int frame, qv::Keyboard::Key key) {
    return std::to_string(frame) + ":key " + std::to_string(key);
}

TEST(TestGame, FeedsEventsInTheirFramesRunsCountedFramesAndReadsTheWorld) {
    qv::TestGame game;
    Walker* walker = nullptr;
    ASSERT_EQ(game.start([&walker] {
        walker = new Walker;
        walker->setPosition(qv::Vector(5, 5));
        return 0;
    }),
              0);
    game.feed(1, qv::InputEvent::key(qv::KeyboardAction::PRESSED, qv::Keyboard::D));
    game.feed(1, qv::InputEvent::key(qv::KeyboardAction::PRESSED, qv::Keyboard::A));
    game.feed(2, qv::InputEvent::mouse(qv::MouseAction::CLICKED, qv::Mouse::LEFT, 64, 96));
    game.hold(qv::Keyboard::S, 3, 2);
    const std::uint64_t before = game.getWorldDigest();

    EXPECT_EQ(game.run(5), 5);
    EXPECT_EQ(walker->heard,
              (std::vector<std::string>{keyAt(1, qv::Keyboard::D), keyAt(1, qv::Keyboard::A),
                                        "2:cell (5, 3)", keyAt(3, qv::Keyboard::S),
                                        keyAt(4, qv::Keyboard::S)}));
    EXPECT_EQ(game.getGrid().charAt(5, 7), '@');
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

} // namespace
