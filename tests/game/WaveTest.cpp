// Waves: their sizes, the spawning rhythm, replacement after enough kills,
// and nothing new entering once "end" has arrived.
#include "GameFixture.h"

#include "GameRules.h"
#include "Wave.h"

#include "support/TestSupport.h"

namespace {

class Waves : public GameFixture {
protected:
    int enemies() const {
        return countOf("Racket") + countOf("Quorvel") + countOf("Battleship") +
               countOf("Implication");
    }
};

TEST_F(Waves, SpawnThreeNPlusOneDoubledOnEveryFifthWaveOneEvery90Steps) {
    const int sizes[][3] = {{2, 7, 7}, {4, 13, 13}, {5, 32, 16}, {10, 62, 31}};
    for (const auto& size : sizes) {
        const Wave wave(size[0]);
        EXPECT_EQ(wave.getToSpawn(), size[1]) << size[0];
        EXPECT_EQ(wave.getRemaining(), size[2]) << size[0];
    }
    // A world so wide that no enemy leaves it (and counts as killed) meanwhile.
    world.setBoundary(qv::Box(qv::Vector(), 2000, 2000));
    auto* wave = new Wave(1);
    EXPECT_EQ(wave->getToSpawn(), 4);
    advance(89);
    EXPECT_EQ(enemies(), 0);
    advance();
    EXPECT_EQ(wave->getSpawned(), 1);
    EXPECT_EQ(enemies(), 1);
    advance(90 * 4);
    EXPECT_EQ(wave->getSpawned(), 4);
    EXPECT_TRUE(qvtest::logHasInOrder({"Now spawning 4 enemies\n", "Wave 1 spawned\n",
                                       "Enemy no. 1\n", "Enemy no. 4\n", "Enemy limit reached\n"}));
}

TEST_F(Waves, GiveWayToTheNextWaveAfterEnoughKills) {
    auto* listener = new EventListener;
    new Wave(1);
    for (int i = 0; i < 4; ++i) {
        broadcast(EventEnemyKilled());
    }
    advance();
    ASSERT_EQ(countOf("Wave"), 1);
    EXPECT_EQ(lastOf<Wave>("Wave")->getWaveNumber(), 2);
    EXPECT_EQ(lastOf<Wave>("Wave")->getRemaining(), 7);
    // The old wave's destructor advanced the HUD.
    EXPECT_EQ(listener->last().label, "Wave");
    EXPECT_TRUE(listener->last().relative);
    EXPECT_TRUE(qvtest::logHasInOrder(
        {"Time for new wave\n", "Now spawning 7 enemies\n", "Wave 2 spawned\n"}));
}

TEST_F(Waves, NothingEntersAfterEndEvenLaterInTheSameStep) {
    // "end" arrives first, then the wave's step with its countdown run out
    // and enough kills for a successor: neither an enemy nor a wave may come.
    auto* wave = new Wave(1);
    advance(89);
    for (int i = 0; i < 4; ++i) {
        broadcast(EventEnemyKilled());
    }
    broadcast(EventEnd());
    world.onEvent(&step);
    EXPECT_EQ(wave->getSpawned(), 0);
    world.update();
    EXPECT_EQ(countOf("Wave"), 0);
    EXPECT_EQ(enemies(), 0);
}

} // namespace
