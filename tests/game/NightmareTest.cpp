// The bed: the nightmare level rising and falling, "sleep" and "score"
// events, the HUD updates, and leaving at "end".
#include "GameFixture.h"

#include "GameEvents.h"
#include "GameRules.h"
#include "Hero.h"
#include "Nightmare.h"

#include <algorithm>

namespace {

class Bed : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        hero = new Hero;
        bed = new Nightmare;
        listener = new EventListener;
    }
    Hero* hero = nullptr;
    Nightmare* bed = nullptr;
    EventListener* listener = nullptr;
};

TEST_F(Bed, TheHeroStartsInTheBedAndTheSleeperScoresEvery30Steps) {
    advance();
    EXPECT_EQ(bed->getSprite(), qv::ResourceManager::getInstance().getSprite("bed-sleeping"));
    EXPECT_EQ(listener->count("sleep"), 1);
    advance(89);
    EXPECT_EQ(listener->count("score"), 3);
    // The Score view counts frame numbers divisible by 30 (frames 1 to 90 here).
    // The Nightmare view hears the level on every step.
    const auto views = [this](const char* label) {
        return std::count(listener->viewLabels.begin(), listener->viewLabels.end(), label);
    };
    EXPECT_EQ(views("Score"), 3);
    EXPECT_EQ(views("Nightmare"), 90);
}

TEST_F(Bed, TheLevelRisesEvery30StepsAwayAndFallsEvery31InBed) {
    world.moveObject(hero, qv::Vector(5, 3));
    advance(29);
    EXPECT_EQ(bed->getNightmareLevel(), 0);
    advance();
    EXPECT_EQ(bed->getNightmareLevel(), 1);
    EXPECT_EQ(bed->getSprite(), qv::ResourceManager::getInstance().getSprite("bed"));
    advance(30 * 9);
    EXPECT_EQ(bed->getNightmareLevel(), 10);

    world.moveObject(hero, qv::Vector(40, 12));
    advance(10 * 31);
    EXPECT_EQ(bed->getNightmareLevel(), 0);
    advance(100);
    EXPECT_EQ(bed->getNightmareLevel(), 0);
    EXPECT_EQ(listener->viewAmounts.back(), 0);
}

TEST_F(Bed, ANightmareAt99EndsTheGameAtFullHealth) {
    world.moveObject(hero, qv::Vector(5, 3));
    advance(99 * 30 - 1);
    EXPECT_EQ(listener->count("end"), 0);
    advance();
    EXPECT_EQ(bed->getNightmareLevel(), 99);
    EXPECT_EQ(hero->getHealth(), 100);
    advance();
    EXPECT_EQ(listener->count("end"), 1);
    EXPECT_EQ(countOf("Bed"), 0);
    EXPECT_EQ(countOf("Hero"), 0);
}

} // namespace
