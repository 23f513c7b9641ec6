#ifndef QUORVEL_QUORVELSETUP_H
#define QUORVEL_QUORVELSETUP_H

#include "qv/app/GameSetup.h"

/// Quorvel's names and its start: the sprites, sounds and music, then the
/// start screen.
qv::GameSetup quorvelSetup();

#endif
