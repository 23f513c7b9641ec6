#ifndef QUORVEL_BATTLESHIP_H
#define QUORVEL_BATTLESHIP_H

#include "qv/world/Object.h"

/// Flies straight across the world once, hurting the hero at most once.
class Battleship : public qv::Object {
public:
    /// Placed beyond the left or right edge on a free row, flying inwards.
    Battleship();
    /// Reports the battleship's end to the wave ("enemy-killed").
    ~Battleship() override;

    int eventHandler(const qv::Event* event) override;

    /// Moves the battleship to a random row beyond a side, clear of others.
    void placeAtSide();

private:
    int attackCountdown;
    int attackSlowdown;
};

#endif
