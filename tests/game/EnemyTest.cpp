// Enemies and fireballs: punch reach on both facings, contact damage and its
// rate, battleships' single hit, Implications aiming at the current hero,
// and the fireball's explosion rule.
#include "GameFixture.h"

#include "Battleship.h"
#include "Fireball.h"
#include "GameEvents.h"
#include "Hero.h"
#include "Implication.h"
#include "Implies.h"
#include "Racket.h"

#include "core/EventCollision.h"

namespace {

class Enemies : public GameFixture {
protected:
    void punch(qv::Vector from, bool facingRight) {
        EventHeroAttack attack;
        attack.setDamage(10);
        attack.setPosition(from);
        attack.setFacingRight(facingRight);
        world.onEvent(&attack);
    }
};

TEST_F(Enemies, APunchReachesFiveColumnsForwardOrBothSidesWhenFacingLeft) {
    struct Case {
        float dx;
        bool facingRight;
        bool hit;
    };
    const Case cases[] = {
        {0, true, true},    {3, true, true},   {5, true, true},  {5.5f, true, false},
        {-3, true, false},  {-3, false, true}, {3, false, true}, {-5, false, true},
        {-6, false, false}, {6, false, false},
    };
    for (const Case& c : cases) {
        auto* racket = new Racket;
        auto* implication = new Implication;
        // Rows do not matter.
        racket->setPosition(qv::Vector(40 + c.dx, 3));
        implication->setPosition(qv::Vector(40 + c.dx, 20));
        punch(qv::Vector(40, 12), c.facingRight);
        EXPECT_EQ(racket->getHealth(), c.hit ? 10 : 20) << c.dx << " " << c.facingRight;
        EXPECT_EQ(implication->getHealth(), c.hit ? 5 : 15) << c.dx << " " << c.facingRight;
        if (c.hit) {
            // Knocked 10 cells by the next update; the Implication shifted 2 at once.
            EXPECT_EQ(racket->getVelocity().x, c.facingRight ? 10.0f : -10.0f);
            EXPECT_EQ(implication->getPosition().x, 40 + c.dx + (c.facingRight ? 2.0f : -2.0f));
        }
        world.markForDelete(racket);
        world.markForDelete(implication);
        world.update();
    }
}

TEST_F(Enemies, TwoPunchesFinishAPursuerAtItsNextStep) {
    auto* racket = new Racket;
    racket->setPosition(qv::Vector(42, 12));
    punch(qv::Vector(40, 12), true);
    punch(qv::Vector(40, 12), true);
    EXPECT_EQ(racket->getHealth(), 0);
    EXPECT_EQ(countOf("Racket"), 1);
    advance();
    EXPECT_EQ(countOf("Racket"), 0);
}

TEST_F(Enemies, PursuersHurtTheHeroOnContactAtMostEvery60Steps) {
    auto* hero = new Hero;
    auto* listener = new EventListener;
    auto* racket = new Racket;
    racket->setPosition(qv::Vector(10, 3)); // too far to touch the hero by itself
    const qv::EventCollision contact(racket, hero, racket->getPosition());
    std::vector<int> attacksAfter;
    for (int frame = 1; frame <= 121; ++frame) {
        advance();
        racket->eventHandler(&contact);
        attacksAfter.push_back(listener->count("enemy-attacked"));
    }
    EXPECT_EQ(attacksAfter[58], 0);  // frame 59
    EXPECT_EQ(attacksAfter[59], 1);  // frame 60: the countdown has run out
    EXPECT_EQ(attacksAfter[118], 1); // frame 119
    EXPECT_EQ(attacksAfter[119], 2); // frame 120
    EXPECT_EQ(hero->getHealth(), 80);
}

TEST_F(Enemies, ABattleshipHurtsTheHeroOnlyOnce) {
    auto* hero = new Hero;
    auto* listener = new EventListener;
    auto* ship = new Battleship;
    ASSERT_GE(ship->getBox().horizontal, 6.0f);
    ship->setPosition(qv::Vector(30, 12));
    ship->setVelocity(qv::Vector(1, 0));
    advance(25);
    EXPECT_EQ(listener->count("enemy-attacked"), 1);
    EXPECT_LT(hero->getHealth(), 100);
}

TEST_F(Enemies, ABattleshipIsBornBeyondASideAndStaysInTheWorld) {
    auto* ship = new Battleship;
    const float x = ship->getPosition().x;
    EXPECT_TRUE(x == 83.0f || x == -3.0f) << x;
    EXPECT_EQ(ship->getVelocity().x, x > 0 ? -1.0f : 1.0f);
    // At least 6 columns wide, its box still touches the world there.
    world.update();
    EXPECT_EQ(countOf("Battleship"), 1);
}

TEST_F(Enemies, AnImplicationAimsAtTheCurrentHeroAndSurvivesItsDeletion) {
    auto* first = new Hero;
    auto* implication = new Implication;
    implication->setPosition(qv::Vector(20, 12));
    world.markForDelete(first);
    advance();
    auto* second = new Hero;
    world.moveObject(second, qv::Vector(20, 2));
    advance(89);
    ASSERT_EQ(countOf("Implies"), 1);
    const Implies* shot = lastOf<Implies>("Implies");
    EXPECT_EQ(shot->getDamage(), 5);
    EXPECT_NEAR(shot->getDirection().y, -1.0f, 1e-5f);
}

TEST_F(Enemies, ImpliesHurtsTheHeroOnceAndIsGone) {
    auto* listener = new EventListener;
    auto* hero = new Hero;
    new Implies(qv::Vector(35, 12), 5, qv::Vector(1, 0));
    advance(5);
    EXPECT_EQ(listener->attackDamages, std::vector<int>{5});
    EXPECT_EQ(countOf("Implies"), 0);
    EXPECT_EQ(hero->getHealth(), 95);
}

TEST_F(Enemies, FireballsExplodeOnEverythingButHeroBedFireballAndBattleship) {
    struct Case {
        const char* type;
        bool explodes;
    };
    const Case cases[] = {{"Hero", false},       {"Bed", false},    {"Fireball", false},
                          {"Battleship", false}, {"Racket", true},  {"Quorvel", true},
                          {"Implication", true}, {"Implies", true}, {"Wave", true}};
    for (const Case& c : cases) {
        for (const bool fireballMoves : {true, false}) {
            auto* fireball = new Fireball(qv::Vector(10, 10));
            auto* other = new qv::Object;
            other->setType(c.type);
            other->setSolidity(qv::Solidity::Passable);
            const qv::EventCollision collision(fireballMoves ? fireball : other,
                                               fireballMoves ? other : fireball, qv::Vector());
            fireball->eventHandler(&collision);
            world.update();
            const bool isFireball = std::string(c.type) == "Fireball";
            EXPECT_EQ(countOf(c.type), c.explodes ? 0 : (isFireball ? 2 : 1)) << c.type;
            EXPECT_EQ(countOf("Fireball") == 0, c.explodes) << c.type;
            world.shutDown();
            world.startUp();
        }
    }
}

} // namespace
