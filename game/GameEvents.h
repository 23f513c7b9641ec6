#ifndef QUORVEL_GAMEEVENTS_H
#define QUORVEL_GAMEEVENTS_H

// The game's own events. Like the engine's, they are plain values sent to
// every object through onEvent() and compared by type string first.

#include "qv/core/Event.h"
#include "qv/world/Vector.h"

/// The bed's verdict each step: does the hero lie in it?
class EventBed : public qv::Event {
public:
    static constexpr const char* TYPE = "sleep";

    explicit EventBed(bool inBed) : inBed(inBed) { setType(TYPE); }

    bool getInBed() const { return inBed; }

private:
    bool inBed;
};

/// The game is over: every game object removes itself.
class EventEnd : public qv::Event {
public:
    static constexpr const char* TYPE = "end";

    EventEnd() { setType(TYPE); }
};

/// An enemy hurt the hero.
class EventEnemyAttack : public qv::Event {
public:
    static constexpr const char* TYPE = "enemy-attacked";

    explicit EventEnemyAttack(int damage) : damage(damage) { setType(TYPE); }

    int getDamage() const { return damage; }

private:
    int damage;
};

/// An enemy left the world, however it went; the wave counts these.
class EventEnemyKilled : public qv::Event {
public:
    static constexpr const char* TYPE = "enemy-killed";

    EventEnemyKilled() { setType(TYPE); }
};

/// The hero punched; each enemy decides whether the punch reached it.
class EventHeroAttack : public qv::Event {
public:
    static constexpr const char* TYPE = "hero-attacked";

    EventHeroAttack() { setType(TYPE); }

    int getDamage() const { return damage; }
    void setDamage(int newDamage) { damage = newDamage; }
    qv::Vector getPosition() const { return position; }
    void setPosition(qv::Vector newPosition) { position = newPosition; }
    bool getFacingRight() const { return facingRight; }
    void setFacingRight(bool isFacingRight) { facingRight = isFacingRight; }

private:
    int damage = 0;
    qv::Vector position;
    bool facingRight = true;
};

/// One more second slept while the hero lay in the bed.
class EventScore : public qv::Event {
public:
    static constexpr const char* TYPE = "score";

    EventScore() { setType(TYPE); }
};

#endif
