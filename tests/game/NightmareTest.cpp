// The bed: the nightmare level rising and falling, "sleep" and "score"
// events, the HUD updates, and leaving at "end".
#include "GameFixture.h"

#include "Hero.h"
#include "Nightmare.h"

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
    EXPECT_EQ(listener->count(EventBed::TYPE), 1);
    advance(89);
    // Frames 30, 60 and 90 score; the Nightmare view hears the level every step.
    EXPECT_EQ(listener->count(EventScore::TYPE), 3);
    EXPECT_EQ(listener->count(qv::EventView::TYPE, "Score"), 3);
    EXPECT_EQ(listener->count(qv::EventView::TYPE, "Nightmare"), 90);
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
    advance(10 * 31 - 1);
    EXPECT_EQ(bed->getNightmareLevel(), 1);
    advance(101);
    EXPECT_EQ(bed->getNightmareLevel(), 0);
    EXPECT_EQ(listener->last().amount, 0);
}

TEST_F(Bed, ANightmareAt99EndsTheGameAtFullHealth) {
    world.moveObject(hero, qv::Vector(5, 3));
    advance(99 * 30 - 1);
    EXPECT_EQ(listener->count(EventEnd::TYPE), 0);
    advance();
    EXPECT_EQ(bed->getNightmareLevel(), 99);
    EXPECT_EQ(hero->getHealth(), 100);
    advance();
    EXPECT_EQ(listener->count(EventEnd::TYPE), 1);
    EXPECT_EQ(countOf("Bed"), 0);
    EXPECT_EQ(countOf("Hero"), 0);
}

} // namespace
