#ifndef QUORVEL_QUORVEL_H
#define QUORVEL_QUORVEL_H

#include "Enemy.h"

/// A pursuer drawn with the "quorvel" sprite.
class Quorvel : public Enemy {
public:
    /// Placed at a random point beyond an edge.
    Quorvel();
};

#endif
