#ifndef QUORVEL_FIREBALL_H
#define QUORVEL_FIREBALL_H

#include "qv/world/Object.h"

/// The hero's projectile: flies straight until it leaves the world or
/// explodes on anything but the hero, the bed, a fireball or a battleship.
class Fireball : public qv::Object {
public:
    /// A passable fireball at position; its creator gives it a velocity.
    explicit Fireball(qv::Vector position);

    /// Out-of-world and collision events: 1; everything else: 0.
    int eventHandler(const qv::Event* event) override;
};

#endif
