#ifndef QUORVEL_GAMERESOURCES_H
#define QUORVEL_GAMERESOURCES_H

/// Loads the game's 15 sprites, its music and its 4 sound effects from
/// Sprites/ and Audio/ under the working directory. A file that fails is
/// reported by its loader and only hides or silences what used it.
void loadGameResources();

#endif
