// Enemies and fireballs: punch reach on both facings, contact damage and its
// rate, battleships' single hit, Implications aiming at the current hero, and
// the fireball's explosion rule.
#include "GameFixture.h"

#include "Battleship.h"
#include "Fireball.h"
#include "Hero.h"
#include "Implication.h"
#include "Implies.h"
#include "Racket.h"

#include "qv/core/EventCollision.h"

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
    const struct {
        float dx;
        bool facingRight, hit;
    } cases[] = {
        {0, true, true},   {5, true, true},    {5.5f, true, false},
        {-3, true, false}, {-3, false, true},  {3, false, true},
        {-5, false, true}, {-6, false, false}, {6, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.dx) + (c.facingRight ? " right" : " left"));
        auto* racket = new Racket;
        auto* implication = new Implication;
        racket->setPosition(qv::Vector(40 + c.dx, 3)); // rows do not matter
        implication->setPosition(qv::Vector(40 + c.dx, 20));
        punch(qv::Vector(40, 12), c.facingRight);
        EXPECT_EQ(racket->getHealth(), c.hit ? 10 : 20);
        EXPECT_EQ(implication->getHealth(), c.hit ? 5 : 15);
        if (c.hit) {
            // Knocked 10 cells by the next update; the Implication shifted 2 at
            // once; a second punch finishes the pursuer at its next step.
            const float away = c.facingRight ? 1.0f : -1.0f;
            EXPECT_EQ(racket->getVelocity().x, 10 * away);
            EXPECT_EQ(implication->getPosition().x, 40 + c.dx + 2 * away);
            punch(qv::Vector(40, 12), c.facingRight);
            EXPECT_EQ(racket->getHealth(), 0);
            advance();
            EXPECT_EQ(countOf("Racket"), 0);
        }
        world.shutDown();
        world.startUp();
    }
}

TEST_F(Enemies, PursuersHurtTheHeroOnContactAtMostEvery60Steps) {
    auto* hero = new Hero;
    auto* listener = new EventListener;
    auto* racket = new Racket;
    racket->setPosition(qv::Vector(10, 3)); // too far to touch the hero by itself
    const qv::EventCollision contact(racket, hero, racket->getPosition());
    for (int frame = 1; frame <= 120; ++frame) {
        advance();
        racket->eventHandler(&contact);
        // The countdown runs out at frames 60 and 120.
        EXPECT_EQ(listener->count(EventEnemyAttack::TYPE), frame / 60) << frame;
    }
    EXPECT_EQ(hero->getHealth(), 80);
}

TEST_F(Enemies, ABattleshipIsBornBeyondASideStaysInTheWorldAndHurtsTheHeroOnce) {
    auto* ship = new Battleship;
    const float x = ship->getPosition().x;
    EXPECT_TRUE(x == 83.0f || x == -3.0f) << x;
    EXPECT_EQ(ship->getVelocity().x, x > 0 ? -1.0f : 1.0f);
    world.update();
    EXPECT_EQ(countOf("Battleship"), 1);
    // Hurting once, then passing through.
    auto* hero = new Hero;
    auto* listener = new EventListener;
    ship->setPosition(qv::Vector(30, 12));
    ship->setVelocity(qv::Vector(1, 0));
    advance(25);
    EXPECT_EQ(listener->count(EventEnemyAttack::TYPE), 1);
    EXPECT_LT(hero->getHealth(), 100);
}

TEST_F(Enemies, AnImplicationAimsAtTheCurrentHeroAndItsShotHurtsOnce) {
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

    world.shutDown();
    world.startUp();
    auto* listener = new EventListener;
    auto* hero = new Hero;
    new Implies(qv::Vector(35, 12), 5, qv::Vector(1, 0));
    advance(5);
    EXPECT_EQ(listener->count(EventEnemyAttack::TYPE), 1);
    EXPECT_EQ(listener->last(EventEnemyAttack::TYPE).amount, 5);
    EXPECT_EQ(countOf("Implies"), 0);
    EXPECT_EQ(hero->getHealth(), 95);
}

TEST_F(Enemies, FireballsExplodeOnEverythingButHeroBedFireballAndBattleship) {
    const std::pair<const char*, bool> cases[] = {
        {"Hero", false},       {"Bed", false},    {"Fireball", false},
        {"Battleship", false}, {"Racket", true},  {"Quorvel", true},
        {"Implication", true}, {"Implies", true}, {"Wave", true}};
    for (const auto& c : cases) {
        for (const bool fireballMoves : {true, false}) {
            SCOPED_TRACE(c.first);
            auto* fireball = new Fireball(qv::Vector(10, 10));
            auto* other = new qv::Object;
            other->setType(c.first);
            other->setSolidity(qv::Solidity::Passable);
            const qv::EventCollision collision(fireballMoves ? fireball : other,
                                               fireballMoves ? other : fireball, qv::Vector());
            fireball->eventHandler(&collision);
            world.update();
            // Both go when it explodes.
            const int both = std::string(c.first) == "Fireball" ? 2 : 1;
            EXPECT_EQ(countOf(c.first), c.second ? 0 : both);
            EXPECT_EQ(countOf("Fireball") == 0, c.second);
            world.shutDown();
            world.startUp();
        }
    }
}

} // namespace
