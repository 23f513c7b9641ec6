#ifndef QUORVEL_HEALTH_H
#define QUORVEL_HEALTH_H

#include "GameView.h"

/// HUD counter of the hero's health.
class Health : public GameView {};

#endif
