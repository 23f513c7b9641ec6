// The hero's rules: rate limits, damage and healing, the end of a game,
// walking bounds, fireballs and bursts, and the bed's influence.
#include "GameFixture.h"

#include "Fireball.h"
#include "GameEvents.h"
#include "GameRules.h"
#include "Hero.h"
#include "Nightmare.h"

#include "core/EventKeyboard.h"
#include "core/EventMouse.h"
#include "display/Color.h"
#include "resources/Sprite.h"

#include <cmath>

namespace {

class HeroRules : public GameFixture {
protected:
    void hold(qv::Keyboard::Key key, int frames = 1) {
        for (int i = 0; i < frames; ++i) {
            qv::EventKeyboard held;
            held.setKey(key);
            held.setKeyboardAction(qv::KeyboardAction::HELD);
            world.onEvent(&held);
            advance();
        }
    }
    void click() {
        qv::EventMouse clicked;
        clicked.setMouseAction(qv::MouseAction::CLICKED);
        clicked.setMouseButton(qv::Mouse::RIGHT);
        world.onEvent(&clicked);
    }
    void hit(int damage) { broadcast(EventEnemyAttack(damage)); }

    Hero* hero = nullptr;
    EventListener* listener = nullptr;

    void SetUp() override {
        GameFixture::SetUp();
        hero = new Hero;
        listener = new EventListener;
    }
};

TEST_F(HeroRules, CannotPunchInItsFirst15StepsThenOncePer15) {
    advance(14);
    click();
    EXPECT_EQ(listener->count("hero-attacked"), 0);
    advance();
    click();
    click();
    EXPECT_EQ(listener->count("hero-attacked"), 1);
    EXPECT_EQ(hero->getPose(), "Hero-Attack");
    advance(14);
    click();
    EXPECT_EQ(listener->count("hero-attacked"), 1);
    advance();
    click();
    EXPECT_EQ(listener->count("hero-attacked"), 2);
}

TEST_F(HeroRules, DamageLowersHealthAndHealingRestoresIt) {
    advance(150);
    hit(5);
    EXPECT_EQ(hero->getHealth(), 95);
    EXPECT_EQ(listener->viewLabels.back(), "Health");
    EXPECT_EQ(listener->viewAmounts.back(), 95);
    EXPECT_FALSE(listener->viewRelative.back());

    hold(qv::Keyboard::Q); // 95 + 10 would pass 100: set to 100
    EXPECT_EQ(hero->getHealth(), 100);
    EXPECT_EQ(listener->viewAmounts.back(), 100);
    EXPECT_FALSE(listener->viewRelative.back());

    hit(10);
    advance(150);
    hold(qv::Keyboard::Q); // 90 + 10: added
    EXPECT_EQ(hero->getHealth(), 100);
    EXPECT_EQ(listener->viewAmounts.back(), 10);
    EXPECT_TRUE(listener->viewRelative.back());
    EXPECT_EQ(hero->getSprite()->getColor(), qv::GREEN);
}

TEST_F(HeroRules, HealthGoneOrNightmareAt99EndsTheGameAtTheNextStep) {
    hit(150);
    EXPECT_EQ(hero->getHealth(), -50);
    EXPECT_EQ(listener->viewAmounts.back(), -50);
    EXPECT_EQ(listener->count("end"), 0);
    advance();
    EXPECT_EQ(listener->count("end"), 1);
    EXPECT_EQ(countOf("Hero"), 0);
}

TEST_F(HeroRules, EscapeSetsHealthToZeroWithoutAViewEvent) {
    const std::size_t viewsBefore = listener->viewLabels.size();
    qv::EventKeyboard escape;
    escape.setKey(qv::Keyboard::ESCAPE);
    escape.setKeyboardAction(qv::KeyboardAction::PRESSED);
    world.onEvent(&escape); // only held keys count
    EXPECT_EQ(hero->getHealth(), 100);
    escape.setKeyboardAction(qv::KeyboardAction::HELD);
    world.onEvent(&escape);
    EXPECT_EQ(hero->getHealth(), 0);
    EXPECT_EQ(listener->viewLabels.size(), viewsBefore);
    advance();
    EXPECT_EQ(listener->count("end"), 1);
}

TEST_F(HeroRules, NoBedMeansLevelZeroAndTheGameGoesOn) {
    // No bed was ever created: the hero must not look at one.
    advance(200);
    EXPECT_EQ(listener->count("end"), 0);
    EXPECT_EQ(countOf("Hero"), 1);
}

TEST_F(HeroRules, WalksHalfACellEveryTwoStepsWithinTheBounds) {
    advance(2);
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
}

TEST_F(HeroRules, ShootsOneFireballForwardAndABurstOfEight) {
    advance(150);
    hold(qv::Keyboard::A, 2);
    hold(qv::Keyboard::E);
    ASSERT_EQ(countOf("Fireball"), 1);
    EXPECT_EQ(lastOf<Fireball>("Fireball")->getVelocity(), qv::Vector(-1, 0));
    hold(qv::Keyboard::E);
    EXPECT_EQ(countOf("Fireball"), 1);

    advance(50);
    const int before = countOf("Fireball");
    hold(qv::Keyboard::R);
    const qv::ObjectList fireballs = world.objectsOfType("Fireball");
    ASSERT_EQ(fireballs.getCount(), before + 8);
    // Burst fireballs start together and do not explode on each other.
    for (int i = before; i < fireballs.getCount(); ++i) {
        EXPECT_NEAR(fireballs[i]->getSpeed(), 1.0f, 1e-5f);
    }
    EXPECT_NEAR(fireballs[before + 1]->getDirection().x, 0.7071068f, 1e-6f);
    EXPECT_NEAR(fireballs[before + 1]->getDirection().y, -0.7071068f, 1e-6f);
}

TEST_F(HeroRules, SpecialAttacksRechargeSlowerTheBetterTheSleeperSleeps) {
    auto* bed = new Nightmare;
    // Out of the bed the level rises by one every 30 steps. The hero steps
    // before the bed, so it sees level 50 from frame 1501 on.
    world.moveObject(hero, qv::Vector(5, 5));
    advance(1501);
    ASSERT_EQ(bed->getNightmareLevel(), 50);
    // Heal slowdown is now 100: after a heal the next needs 100 steps.
    hold(qv::Keyboard::Q);
    hit(30);
    advance(98);
    hold(qv::Keyboard::Q);
    EXPECT_LT(hero->getHealth(), 100);
    hold(qv::Keyboard::Q);
    EXPECT_EQ(hero->getHealth(), 80);
}

TEST_F(HeroRules, LyingInTheBedShowsEmptyAndBlocksPunches) {
    new Nightmare;
    advance(20);
    EXPECT_EQ(hero->getSprite(), qv::ResourceManager::getInstance().getSprite("empty"));
    click();
    EXPECT_EQ(listener->count("hero-attacked"), 0);
}

} // namespace
