#ifndef QUORVEL_NIGHTMARE_H
#define QUORVEL_NIGHTMARE_H

#include "qv/world/Object.h"

/// The sleeper's bed. While the hero lies in it the nightmare level falls and
/// seconds slept are scored; while the hero is away the level rises.
class Nightmare : public qv::Object {
public:
    /// At the centre of the world; remembers the hero made before it.
    Nightmare();

    /// Step events: 1. "end" queues the bed for deletion; everything else: 0.
    int eventHandler(const qv::Event* event) override;

    /// 0 to 100; the game is lost at 99.
    int getNightmareLevel() const;

private:
    void sleepStep(int stepCount);
    void awakeStep();

    int nightmareLevel;
    int calmCountdown, calmSlowdown;
    int dreadCountdown, dreadSlowdown;
    int scoreCountdown, scoreSlowdown;
    qv::Object* hero;
};

#endif
