#include "qv/platform/desktop/XDisplayProbe.h"

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
