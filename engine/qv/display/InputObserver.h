#ifndef QV_DISPLAY_INPUTOBSERVER_H
#define QV_DISPLAY_INPUTOBSERVER_H

#include "qv/display/InputEvent.h"

namespace qv {

/// Told of every frame's input as the input manager hands it out: what a
/// recording hooks into, so input needs to know nothing of replays.
class InputObserver {
public:
    virtual ~InputObserver() = default;

    /// A frame's input is about to be collected.
    virtual void beginFrame() = 0;

    /// An event of the current frame, just before the objects get it.
    virtual void heard(const InputEvent& event) = 0;
};

} // namespace qv

#endif
