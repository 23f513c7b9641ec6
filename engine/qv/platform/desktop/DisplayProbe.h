#ifndef QV_PLATFORM_DESKTOP_DISPLAYPROBE_H
#define QV_PLATFORM_DESKTOP_DISPLAYPROBE_H

#include <memory>

namespace qv {

/// What the system holds while SFML opens the window. Each system's folder
/// defines reachDisplay().
class DisplayProbe {
public:
    virtual ~DisplayProbe();
};

/// Readies the system's display for a window: the probe, held until the
/// window exists, or null when there is no display to open one on.
std::unique_ptr<DisplayProbe> reachDisplay();

} // namespace qv

#endif
