#ifndef QUORVEL_HERO_H
#define QUORVEL_HERO_H

#include "qv/core/EventKeyboard.h"
#include "qv/world/Object.h"

#include <string>

class Nightmare;

/// The player's hero: walks, punches, shoots fireballs, bursts, heals, lies
/// in the bed, and ends the game when its health or the sleeper gives out.
class Hero : public qv::Object {
public:
    /// At (40, 12), facing right, 100 health, every special attack recharging.
    Hero();

    /// Keyboard, step and mouse events: 1. Damage and the bed's news: 0.
    int eventHandler(const qv::Event* event) override;

    int getHealth() const;
    bool isFacingRight() const;
    std::string getPose() const;

private:
    void onKey(const qv::EventKeyboard* event);
    void onStep();
    void moveBy(qv::Vector offset);
    void attack();
    void shootFireball();
    void fireBurst();
    void heal();
    void showFacingSprite();
    /// The nightmare level of the last bed in the world, 0 when there is none.
    int bedLevel();

    bool facingRight;
    std::string pose;
    int health;
    Nightmare* bed;
    int moveSlowdown, moveCountdown;
    int attackSlowdown, attackCountdown;
    int healSlowdown, healCountdown;
    int fireSlowdown, fireCountdown;
    int burstSlowdown, burstCountdown;
    int poseSlowdown, poseCountdown;
    int tintSlowdown, tintCountdown;
};

#endif
