#ifndef QUORVEL_ENEMY_H
#define QUORVEL_ENEMY_H

#include "qv/world/Object.h"

#include <string>

/// A pursuer: enters from beyond an edge, creeps towards the hero, hurts it
/// on contact at most every 60 steps and is knocked back by its punches.
class Enemy : public qv::Object {
public:
    /// Reports the enemy's end to the wave ("enemy-killed").
    ~Enemy() override;

    int eventHandler(const qv::Event* event) override;

    int getHealth() const;

    /// The position of the last hero in the world, or (0, 0) without one.
    qv::Vector heroPosition() const;

    /// Moves the enemy to a random point beyond one of the four edges.
    void placeAtEdge();

protected:
    /// A pursuer of the given kind, placed at an edge.
    Enemy(const std::string& type, const std::string& spriteLabel);

private:
    void chase();
    void takePunch(const qv::Event* event);

    int health;
    int attackCountdown;
    int attackSlowdown;
};

#endif
