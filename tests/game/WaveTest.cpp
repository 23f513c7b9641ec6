// Waves: their sizes, the spawning rhythm, replacement after enough kills,
// and nothing new entering once "end" has arrived.
#include "GameFixture.h"

#include "GameEvents.h"
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

TEST_F(Waves, SpawnThreeNPlusOneDoubledOnEveryFifthWave) {
    struct Case {
        int number, toSpawn, remaining;
    };
    for (const Case& c :
         {Case{1, 4, 4}, Case{2, 7, 7}, Case{4, 13, 13}, Case{5, 32, 16}, Case{10, 62, 31}}) {
        const Wave wave(c.number);
        EXPECT_EQ(wave.getToSpawn(), c.toSpawn) << c.number;
        EXPECT_EQ(wave.getRemaining(), c.remaining) << c.number;
    }
    EXPECT_TRUE(qvtest::logHasInOrder({"Now spawning 4 enemies\n", "Wave 1 spawned\n"}));
}

TEST_F(Waves, BringOneEnemyEvery90StepsUpToTheLimit) {
    auto* wave = new Wave(1);
    advance(89);
    EXPECT_EQ(enemies(), 0);
    advance();
    EXPECT_EQ(wave->getSpawned(), 1);
    advance(90 * 3);
    EXPECT_EQ(wave->getSpawned(), 4);
    advance(90);
    EXPECT_EQ(wave->getSpawned(), 4);
    EXPECT_TRUE(qvtest::logHasInOrder({"Enemy no. 1\n", "Enemy no. 4\n", "Enemy limit reached\n"}));
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
    ASSERT_FALSE(listener->viewLabels.empty());
    EXPECT_EQ(listener->viewLabels.back(), "Wave");
    EXPECT_TRUE(listener->viewRelative.back());
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
