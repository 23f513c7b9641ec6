#ifndef QUORVEL_IMPLICATION_H
#define QUORVEL_IMPLICATION_H

#include "qv/world/Object.h"

/// A turret: comes in from a side, settles, and shoots Implies projectiles
/// at the hero every 90 steps.
class Implication : public qv::Object {
public:
    /// Beyond the left or right edge, at rest until its first move decision.
    Implication();
    /// Reports the Implication's end to the wave ("enemy-killed").
    ~Implication() override;

    int eventHandler(const qv::Event* event) override;

    int getHealth() const;

private:
    void onStep();
    void takePunch(const qv::Event* event);

    int shotDamage;
    int health;
    int fireCountdown, fireSlowdown;
    int moveCountdown, moveSlowdown;
    bool ended;
};

#endif
