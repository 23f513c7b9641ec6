#include "qv/platform/desktop/XInputState.h"

#include <X11/Xlib.h>

namespace qv {

XInputState::XInputState() : display(XOpenDisplay(nullptr)), keys{} {}

XInputState::~XInputState() {
    if (display != nullptr) {
        XCloseDisplay(display);
    }
}

bool XInputState::keycodesOf(const unsigned long* keysyms, int count,
                             unsigned char* keycodes) const {
    if (display == nullptr) {
        return false;
    }
    for (int i = 0; i < count; ++i) {
        keycodes[i] = XKeysymToKeycode(display, keysyms[i]);
    }
    return true;
}

bool XInputState::takeKeymap() {
    return display != nullptr && XQueryKeymap(display, reinterpret_cast<char*>(keys)) != 0;
}

bool XInputState::isKeyDown(unsigned char keycode) const {
    return (keys[keycode / 8] & (1u << (keycode % 8))) != 0;
}

bool XInputState::pointer(unsigned long window, unsigned int& buttons, int& x, int& y) const {
    if (display == nullptr) {
        return false;
    }
    Window root = 0;
    Window child = 0;
    int rootX = 0;
    int rootY = 0;
    unsigned int mask = 0;
    // False only says the pointer is on another screen; mask and place hold.
    XQueryPointer(display, window, &root, &child, &rootX, &rootY, &x, &y, &mask);
    buttons = ((mask & Button1Mask) != 0 ? LEFT_BUTTON : 0) |
              ((mask & Button2Mask) != 0 ? MIDDLE_BUTTON : 0) |
              ((mask & Button3Mask) != 0 ? RIGHT_BUTTON : 0);
    return true;
}

bool XInputState::keyboardFocus(unsigned long window, bool& focused) const {
    if (display == nullptr) {
        return false;
    }
    Window focus = 0;
    int revertTo = 0;
    XGetInputFocus(display, &focus, &revertTo);
    focused = focus == window;
    return true;
}

} // namespace qv
