#ifndef QV_PLATFORM_WEB_CANVASINPUT_H
#define QV_PLATFORM_WEB_CANVASINPUT_H

#include "qv/display/InputSource.h"

#include <vector>

namespace qv {

/// The page's keys and mouse, as the page's script queued them on the
/// canvas, already in the engine's key and button numbers.
class CanvasInput : public InputSource {
public:
    /// The queued presses, releases, clicks and moves, then the first held
    /// key and the first held button, polled in the desktop window's order.
    void collect(std::vector<InputEvent>& events) override;
};

} // namespace qv

#endif
