#ifndef QUORVEL_GAMESTART_H
#define QUORVEL_GAMESTART_H

#include "qv/display/ViewObject.h"
#include "qv/resources/Music.h"

/// The start screen: shows the title picture and plays the music; P starts
/// a game, Q quits the program.
class GameStart : public qv::ViewObject {
public:
    /// Centred in the world; starts the music looping.
    GameStart();

    /// Keyboard events: 1 (P starts a game, Q ends the loop); others: 0.
    int eventHandler(const qv::Event* event) override;

    /// Draws the title sprite, not a HUD label.
    int draw() override;

    /// Fills the world with a new game and removes the start screen.
    void startGame();

private:
    qv::Music* music;
};

#endif
