#include "qv/platform/desktop/x11/XDisplayProbe.h"

#include <X11/Xlib.h>

#include <utility>

namespace qv {

XDisplayProbe::XDisplayProbe() : display(XOpenDisplay(nullptr)) {}

XDisplayProbe::~XDisplayProbe() {
    if (display != nullptr) {
        XCloseDisplay(display);
    }
}

bool XDisplayProbe::reached() const {
    return display != nullptr;
}

std::unique_ptr<DisplayProbe> reachDisplay() {
    auto probe = std::make_unique<XDisplayProbe>();
    return probe->reached() ? std::move(probe) : nullptr;
}

} // namespace qv
