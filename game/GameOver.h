#ifndef QUORVEL_GAMEOVER_H
#define QUORVEL_GAMEOVER_H

#include "qv/display/ViewObject.h"

/// Waits unseen through a game, counting the seconds slept; after "end" it
/// shows them for 150 steps, then brings the start screen back.
class GameOver : public qv::ViewObject {
public:
    GameOver();
    /// Creates a new start screen.
    ~GameOver() override;

    /// Steps: 1. "score" and "end" are counted and noted: 0.
    int eventHandler(const qv::Event* event) override;

    /// Draws nothing: the object has no sprite and its text is drawn by drawEndText().
    int draw() override;

    /// After "end": the three red lines of the result at rows 11 to 13.
    void drawEndText();

    int getSecondsSlept() const;
    int getTimeToLive() const;
    bool isEnded() const;

private:
    int timeToLive;
    int secondsSlept;
    bool ended;
};

#endif
