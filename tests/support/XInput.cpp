#include "support/XInput.h"

#include <X11/Xlib.h>
#include <dlfcn.h>

#include <cstdlib>

namespace qvtest {

bool haveXdotool() {
    return std::system("command -v xdotool >/dev/null 2>&1") == 0;
}

bool xdotool(const std::string& arguments) {
    const std::string command = "timeout 5 xdotool " + arguments + " >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

bool requestClose(unsigned long window) {
    // The test binary does not link libX11 itself; SFML has it loaded.
    void* library = dlopen("libX11.so.6", RTLD_LAZY);
    if (library == nullptr) {
        return false;
    }
    const auto openDisplay =
        reinterpret_cast<Display* (*)(const char*)>(dlsym(library, "XOpenDisplay"));
    const auto internAtom =
        reinterpret_cast<Atom (*)(Display*, const char*, Bool)>(dlsym(library, "XInternAtom"));
    const auto sendEvent = reinterpret_cast<Status (*)(Display*, Window, Bool, long, XEvent*)>(
        dlsym(library, "XSendEvent"));
    const auto closeDisplay = reinterpret_cast<int (*)(Display*)>(dlsym(library, "XCloseDisplay"));
    Display* display = openDisplay != nullptr ? openDisplay(nullptr) : nullptr;
    bool sent = false;
    if (display != nullptr && internAtom != nullptr && sendEvent != nullptr) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = internAtom(display, "WM_PROTOCOLS", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] = static_cast<long>(internAtom(display, "WM_DELETE_WINDOW", False));
        event.xclient.data.l[1] = CurrentTime;
        sent = sendEvent(display, window, False, NoEventMask, &event) != 0;
    }
    // Closing the connection flushes the request.
    if (display != nullptr && closeDisplay != nullptr) {
        closeDisplay(display);
    }
    dlclose(library);
    return sent;
}

} // namespace qvtest
