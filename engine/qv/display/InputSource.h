#ifndef QV_DISPLAY_INPUTSOURCE_H
#define QV_DISPLAY_INPUTSOURCE_H

#include "qv/display/InputEvent.h"

#include <vector>

namespace qv {

/// Where a run's keyboard and mouse events come from (a window, a replay, a
/// test). This base gives none: the source of a run without a window and
/// without a replay.
class InputSource {
public:
    virtual ~InputSource() = default;

    /// Appends this frame's events, in the order they happened.
    virtual void collect(std::vector<InputEvent>& events);

    /// Told once a frame has been shown, before the loop sleeps: a source
    /// may ask now for what the next frame will need.
    virtual void frameShown();
};

} // namespace qv

#endif
