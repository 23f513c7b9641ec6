// A game's life: P on the start screen fills the world, "end" clears it
// except the game-over object and fireballs in flight, the game-over text
// stands 150 steps at its place and the start screen returns; Q quits.
#include "GameFixture.h"

#include "Fireball.h"
#include "GameEvents.h"
#include "GameOver.h"
#include "GameRules.h"
#include "GameStart.h"

#include "core/EventKeyboard.h"
#include "core/GameManager.h"
#include "display/DisplayManager.h"
#include "support/WindowCapture.h"

namespace {

class GameFlow : public GameFixture {
protected:
    void press(qv::Keyboard::Key key, qv::KeyboardAction action = qv::KeyboardAction::PRESSED) {
        qv::EventKeyboard event;
        event.setKey(key);
        event.setKeyboardAction(action);
        world.onEvent(&event);
    }
};

TEST_F(GameFlow, PStartsExactlyOneGameAndRemovesTheStartScreen) {
    new GameStart;
    press(qv::Keyboard::P);
    press(qv::Keyboard::P, qv::KeyboardAction::HELD);
    EXPECT_EQ(countOf("GameStart"), 0);
    for (const char* type : {"Hero", "Bed", "Wave", "GameOver"}) {
        EXPECT_EQ(countOf(type), 1) << type;
    }
    EXPECT_EQ(countOf("ViewObject"), 4);
    EXPECT_EQ(world.getAllObjects().getCount(), 8);
}

TEST_F(GameFlow, QOnTheStartScreenEndsTheLoop) {
    qv::GameManager::getInstance().setGameOver(false);
    new GameStart;
    press(qv::Keyboard::Q, qv::KeyboardAction::RELEASED);
    EXPECT_TRUE(qv::GameManager::getInstance().getGameOver());
}

TEST_F(GameFlow, EndClearsTheGameThenTheScoreShowsFor150StepsThenTheStartScreenReturns) {
    new GameStart;
    press(qv::Keyboard::P);
    advance(95); // the first enemy has come in
    auto* flying = new Fireball(qv::Vector(10, 2));
    flying->setVelocity(qv::Vector(0.01f, 0));
    broadcast(EventScore());
    broadcast(EventScore());

    press(qv::Keyboard::ESCAPE, qv::KeyboardAction::HELD);
    advance();
    // Only the game-over object and the fireball in flight are left.
    EXPECT_EQ(world.getAllObjects().getCount(), 2);
    auto* over = lastOf<GameOver>("GameOver");
    ASSERT_NE(over, nullptr);
    EXPECT_TRUE(over->isEnded());
    EXPECT_GE(over->getSecondsSlept(), 2);

    advance(149);
    EXPECT_EQ(over->getTimeToLive(), 1);
    EXPECT_EQ(countOf("GameStart"), 0);
    advance();
    EXPECT_EQ(countOf("GameOver"), 0);
    EXPECT_EQ(countOf("GameStart"), 1);
    // Nothing of the game came back with the start screen.
    EXPECT_EQ(countOf("Wave"), 0);
    EXPECT_EQ(world.getAllObjects().getCount(), 2);
}

TEST_F(GameFlow, GameOverTextIsRedAndCentredOnColumn40) {
    if (!qvtest::haveDisplay() || !qvtest::startDisplay()) {
        GTEST_SKIP() << "no display";
    }
    auto* over = new GameOver;
    broadcast(EventScore());
    broadcast(EventScore());
    broadcast(EventScore());
    broadcast(EventScore());
    broadcast(EventScore());
    broadcast(EventEnd());
    qv::DisplayManager::getInstance().showFrame(); // start from a cleared surface
    over->drawEndText();
    const sf::Image image = qvtest::captureWindow();

    // "5 seconds" has 9 characters: columns 36 to 44, the blank at 37 unlit.
    std::vector<int> expected = {36, 38, 39, 40, 41, 42, 43, 44};
    EXPECT_EQ(qvtest::litColumns(image, 13), expected);
    // "Conratulations!" (15) and "You Slept For:" (14) both start at 33.
    EXPECT_EQ(qvtest::litColumns(image, 11).front(), 33);
    EXPECT_EQ(qvtest::litColumns(image, 11).back(), 47);
    EXPECT_EQ(qvtest::litColumns(image, 12).front(), 33);
    EXPECT_GT(qvtest::countPixels(image, qvtest::cellProbe(33, 11), sf::Color::Red), 0);
    EXPECT_TRUE(qvtest::litColumns(image, 10).empty());
    EXPECT_TRUE(qvtest::litColumns(image, 14).empty());
}

} // namespace
