#ifndef QUORVEL_RACKET_H
#define QUORVEL_RACKET_H

#include "Enemy.h"

/// A pursuer drawn with the "racket" sprite.
class Racket : public Enemy {
public:
    /// Placed at a random point beyond an edge.
    Racket();
};

#endif
