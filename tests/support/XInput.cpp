#include "support/XInput.h"

#include <X11/Xlib.h>

#include <cstdlib>

namespace qvtest {

bool haveXdotool() {
    return std::system("command -v xdotool >/dev/null 2>&1") == 0;
}

bool xdotool(const std::string& arguments) {
    const std::string command = "timeout 5 xdotool " + arguments + " >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

namespace {

// Kept for the run: a window made on a connection lives as long as it does.
Display* connection() {
    static Display* const display = XOpenDisplay(nullptr);
    return display;
}

} // namespace

bool requestClose(unsigned long window) {
    Display* display = connection();
    if (display == nullptr) {
        return false;
    }
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    const bool sent = XSendEvent(display, window, False, NoEventMask, &event) != 0;
    // Waits until the server has taken it: the caller may exit at once.
    XSync(display, False);
    return sent;
}

unsigned long openOtherWindow() {
    Display* display = connection();
    if (display == nullptr) {
        return 0;
    }
    const Window window =
        XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 100, 100, 0, 0, 0);
    XMapWindow(display, window);
    XSync(display, False);
    return window;
}

} // namespace qvtest
