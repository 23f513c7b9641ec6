#ifndef QUORVEL_NIGHTMAREVIEW_H
#define QUORVEL_NIGHTMAREVIEW_H

#include "GameView.h"

/// HUD counter of the sleeper's nightmare level.
class NightmareView : public GameView {};

#endif
