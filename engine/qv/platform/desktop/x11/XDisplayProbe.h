#ifndef QV_PLATFORM_DESKTOP_X11_XDISPLAYPROBE_H
#define QV_PLATFORM_DESKTOP_X11_XDISPLAYPROBE_H

#include "qv/platform/desktop/DisplayProbe.h"

struct _XDisplay;

namespace qv {

/// A connection of the engine's own to the X display named by DISPLAY,
/// open for as long as the probe lives. SFML aborts the program when it
/// cannot reach the display, so the engine asks first; and an X server that
/// resets when its last client leaves would reset between this connection
/// closing and SFML's opening, so the probe lives until the window exists.
class XDisplayProbe : public DisplayProbe {
public:
    /// Connects to the display.
    XDisplayProbe();
    /// Disconnects.
    ~XDisplayProbe() override;

    XDisplayProbe(const XDisplayProbe&) = delete;
    XDisplayProbe& operator=(const XDisplayProbe&) = delete;

    /// Whether the display answered.
    bool reached() const;

private:
    _XDisplay* display;
};

} // namespace qv

#endif
