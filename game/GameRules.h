#ifndef QUORVEL_GAMERULES_H
#define QUORVEL_GAMERULES_H

// Small helpers every game object uses.

#include "qv/core/Event.h"
#include "qv/core/Random.h"

#include <string>

namespace qv {
class EventCollision;
class Object;
} // namespace qv

class EventHeroAttack;

/// A rate limit's countdown falls by one per step and never below zero.
void countDown(int& countdown);

/// Plays a loaded sound effect once from its start; nothing if it is missing.
void playSound(const std::string& label);

/// Hands a game event to every object in the world.
void broadcast(const qv::Event& event);

/// Queues an object for deletion at the next world update.
void removeLater(qv::Object* object);

/// The last object of type "Hero" in the world, or null.
qv::Object* findHero();

/// When the collision is between self and the hero and attackCountdown has
/// run out: sends the hero 10 damage and restarts the countdown.
void hurtHeroOnContact(const qv::EventCollision& collision, const qv::Object* self,
                       int& attackCountdown, int attackSlowdown);

/// Whether a punch reaches an object at column x: up to 5 columns ahead when
/// the hero faces right, up to 5 columns on either side when it faces left.
bool punchReaches(const EventHeroAttack& punch, float x);

/// The game's one random number generator; each wave seeds it.
qv::Random& randomNumbers();

/// The world boundary's width and height in whole cells (80 and 24).
int worldWidth();
int worldHeight();

#endif
