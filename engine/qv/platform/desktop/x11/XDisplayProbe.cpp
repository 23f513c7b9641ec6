#include "qv/platform/desktop/x11/XDisplayProbe.h"

#include <X11/Xlib.h>

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

} // namespace qv
