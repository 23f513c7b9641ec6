// A game's life: P on the start screen fills the world, "end" clears it but
// for the game-over object and fireballs in flight, the result stands 150
// steps and the start screen returns; Q quits. And the shipped data files
// load cleanly and fit the game. The game-over text itself is checked by the
// game-over golden replay (tests/replays).
#include "GameFixture.h"

#include "Fireball.h"
#include "GameOver.h"
#include "GameRules.h"
#include "GameStart.h"

#include "qv/core/GameManager.h"
#include "qv/resources/Sprite.h"
#include "support/TestSupport.h"

namespace {

using GameFlow = GameFixture;

TEST_F(GameFlow, PStartsOneGameEndClearsItAndTheStartScreenReturnsAfter150Steps) {
    new GameStart;
    key(qv::Keyboard::P, qv::KeyboardAction::PRESSED);
    key(qv::Keyboard::P);
    EXPECT_EQ(countOf("GameStart"), 0); // what P brings: the play-and-quit golden replay
    EXPECT_EQ(world.getAllObjects().getCount(), 8);

    advance(95); // the first enemy has come in
    auto* flying = new Fireball(qv::Vector(10, 2));
    flying->setVelocity(qv::Vector(0.01f, 0));
    broadcast(EventScore());
    broadcast(EventScore());
    key(qv::Keyboard::ESCAPE);
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
    EXPECT_EQ(world.getAllObjects().getCount(), 2); // nothing of the game came back

    qv::GameManager::getInstance().setGameOver(false);
    key(qv::Keyboard::Q, qv::KeyboardAction::RELEASED);
    EXPECT_TRUE(qv::GameManager::getInstance().getGameOver());
}

TEST_F(GameFlow, DataFilesLoadWithoutWarningsAndFitTheGame) {
    // Every sprite's loading, word for word: the golden replays' logs.
    qv::ResourceManager& resources = qv::ResourceManager::getInstance();
    EXPECT_NE(resources.getMusic("game-music"), nullptr);
    for (const char* label : {"hero-hit", "enemy-hit", "hero-punch", "boom"}) {
        EXPECT_NE(resources.getSound(label), nullptr) << label;
    }
    EXPECT_FALSE(qvtest::logHasInOrder({"Unable to load sound from file\n"}));
    // Narrower battleships leave the world while being placed; the title fits
    // the grid; the bed keeps its size as its picture changes, so the in-bed
    // test does not flicker.
    EXPECT_GE(resources.getSprite("battleship")->getWidth(), 6);
    EXPECT_LE(resources.getSprite("gamestart")->getWidth(), 80);
    EXPECT_LE(resources.getSprite("gamestart")->getHeight(), 24);
    EXPECT_EQ(resources.getSprite("bed")->getWidth(),
              resources.getSprite("bed-sleeping")->getWidth());
    EXPECT_EQ(resources.getSprite("bed")->getHeight(),
              resources.getSprite("bed-sleeping")->getHeight());
}

} // namespace
