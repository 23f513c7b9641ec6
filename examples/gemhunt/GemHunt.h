// Gem Hunt: walk the room with W, A, S and D and pick up every gem; a new
// round of gems appears when the last one is taken. Q quits.
#ifndef GEMHUNT_H
#define GEMHUNT_H

/// Loads the sprites and the chime and makes the room, the HUD counters and
/// the explorer. 0 on success; 1 when a sprite is missing (the log says why).
int startGemHunt();

#endif
