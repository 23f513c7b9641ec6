#ifndef QUORVEL_WAVEVIEW_H
#define QUORVEL_WAVEVIEW_H

#include "GameView.h"

/// HUD counter of the number of the current wave.
class WaveView : public GameView {};

#endif
