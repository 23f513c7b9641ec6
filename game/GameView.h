#ifndef QUORVEL_GAMEVIEW_H
#define QUORVEL_GAMEVIEW_H

#include "qv/display/ViewObject.h"

/// A HUD counter of one game: takes its view events and leaves at "end".
class GameView : public qv::ViewObject {
public:
    /// View events with this view's label: 1. "end" queues the view for deletion.
    int eventHandler(const qv::Event* event) override;
};

#endif
