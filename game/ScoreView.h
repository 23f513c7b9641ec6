#ifndef QUORVEL_SCOREVIEW_H
#define QUORVEL_SCOREVIEW_H

#include "GameView.h"

/// HUD counter of the time slept in the bed.
class ScoreView : public GameView {};

#endif
