// The hero's rules: rate limits, damage and healing, the end of a game,
// walking bounds and the bed's influence. Fireballs and the burst are on the
// hud-and-burst golden replay's screen.
#include "GameFixture.h"

#include "GameRules.h"
#include "Hero.h"
#include "Nightmare.h"

#include "qv/core/EventMouse.h"
#include "qv/display/Color.h"
#include "qv/resources/Sprite.h"

namespace {

class HeroRules : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        hero = new Hero;
        listener = new EventListener;
    }
    // The key held for this many frames.
    void hold(qv::Keyboard::Key held, int frames = 1) {
        for (int i = 0; i < frames; ++i) {
            key(held);
            advance();
        }
    }
    void click() {
        qv::EventMouse clicked;
        clicked.setMouseAction(qv::MouseAction::CLICKED);
        clicked.setMouseButton(qv::Mouse::RIGHT);
        world.onEvent(&clicked);
    }
    void expectHealthView(int amount, bool relative) {
        const Heard view = listener->last();
        EXPECT_EQ(view.label, "Health");
        EXPECT_EQ(view.amount, amount);
        EXPECT_EQ(view.relative, relative);
    }

    Hero* hero = nullptr;
    EventListener* listener = nullptr;
};

TEST_F(HeroRules, CannotPunchInItsFirst15StepsThenOncePer15) {
    const std::pair<int, int> framesThenPunches[] = {{14, 0}, {1, 1}, {14, 1}, {1, 2}};
    for (const auto& step : framesThenPunches) {
        advance(step.first);
        click();
        click();
        EXPECT_EQ(listener->count(EventHeroAttack::TYPE), step.second) << stepCount;
    }
    EXPECT_EQ(hero->getPose(), "Hero-Attack");
    EXPECT_EQ(listener->last(EventHeroAttack::TYPE).amount, 10);
}

TEST_F(HeroRules, DamageLowersHealthAndKnocksBackAndHealingRestoresIt) {
    advance(150);
    broadcast(EventEnemyAttack(5));
    EXPECT_EQ(hero->getHealth(), 95);
    EXPECT_EQ(hero->getPosition(), qv::Vector(37, 12)); // knocked 3 cells back from 40
    expectHealthView(95, false);
    hold(qv::Keyboard::Q); // 95 + 10 would pass 100: set to 100
    EXPECT_EQ(hero->getHealth(), 100);
    expectHealthView(100, false);

    broadcast(EventEnemyAttack(10));
    advance(148);
    hold(qv::Keyboard::Q); // one step early: a heal recharges for 150 steps
    EXPECT_EQ(hero->getHealth(), 90);
    hold(qv::Keyboard::Q); // 90 + 10: added
    EXPECT_EQ(hero->getHealth(), 100);
    expectHealthView(10, true);
    EXPECT_EQ(hero->getSprite()->getColor(), qv::GREEN);
}

TEST_F(HeroRules, HealthGoneOrEscapeEndsTheGameAtTheNextStep) {
    broadcast(EventEnemyAttack(150));
    EXPECT_EQ(hero->getHealth(), -50);
    expectHealthView(-50, false);
    EXPECT_EQ(listener->count(EventEnd::TYPE), 0);
    advance();
    EXPECT_EQ(listener->count(EventEnd::TYPE), 1);
    EXPECT_EQ(countOf("Hero"), 0);
    // Escape: the game-over golden replay.
}

TEST_F(HeroRules, WalksHalfACellEveryTwoStepsWithinTheBounds) {
    // No bed was ever created: the hero must not look at one.
    advance(200);
    const qv::Vector start = hero->getPosition();
    hold(qv::Keyboard::D, 4);
    EXPECT_FLOAT_EQ(hero->getPosition().x, start.x + 1.0f);
    EXPECT_TRUE(hero->isFacingRight());

    world.moveObject(hero, qv::Vector(2, 12));
    hold(qv::Keyboard::A, 6);
    EXPECT_FLOAT_EQ(hero->getPosition().x, 2.0f);
    EXPECT_FALSE(hero->isFacingRight());

    world.moveObject(hero, qv::Vector(40, 1));
    hold(qv::Keyboard::W, 4);
    EXPECT_FLOAT_EQ(hero->getPosition().y, 1.0f);
    EXPECT_EQ(listener->count(EventEnd::TYPE), 0);
}

TEST_F(HeroRules, InTheBedItShowsEmptyCannotPunchAndHealsSlowerTheLongerAway) {
    auto* bed = new Nightmare;
    advance(20);
    EXPECT_EQ(hero->getSprite(), qv::ResourceManager::getInstance().getSprite("empty"));
    click();
    EXPECT_EQ(listener->count(EventHeroAttack::TYPE), 0);
    // Away the level rises by one every 30 steps; at 50 a heal recharges for
    // 150 - 50 steps.
    world.moveObject(hero, qv::Vector(5, 5));
    advance(1501);
    ASSERT_EQ(bed->getNightmareLevel(), 50);
    hold(qv::Keyboard::Q);
    broadcast(EventEnemyAttack(30));
    advance(98);
    hold(qv::Keyboard::Q);
    EXPECT_EQ(hero->getHealth(), 70);
    hold(qv::Keyboard::Q);
    EXPECT_EQ(hero->getHealth(), 80);
}

} // namespace

namespace {

TEST_F(HeroRules, PlaysOnWithoutABedEvenOnceOneIsGone) {
    // No bed yet: the level counts as 0 and nothing is dereferenced.
    advance(5);
    auto* bed = new Nightmare;
    world.moveObject(hero, qv::Vector(5, 5));
    advance(60);
    ASSERT_EQ(bed->getNightmareLevel(), 2);
    world.markForDelete(bed);
    advance(200); // the deleted bed must never be read again
    EXPECT_EQ(listener->count("end"), 0);
    EXPECT_EQ(countOf("Hero"), 1);
}

} // namespace
