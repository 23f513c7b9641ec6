#include "qv/core/Platform.h"

#include <X11/Xlib.h>
#include <dlfcn.h>

#include <cstdlib>

#include <cerrno>
#include <ctime>

namespace qv {
namespace platform {

std::int64_t monotonicMicros() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
}

void sleepUntilMicros(std::int64_t deadline) {
    const timespec wake{static_cast<time_t>(deadline / 1000000),
                        static_cast<long>((deadline % 1000000) * 1000)};
    // Interrupted by a signal: sleep again to the same deadline.
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &wake, nullptr) == EINTR) {
    }
}

void raiseTimerResolution() {}

void restoreTimerResolution() {}

namespace {

// The input queries share one connection, opened on first use and kept for
// the run: opening one per query would cost more than the query.
Display* inputConnection() {
    static Display* const connection = XOpenDisplay(nullptr);
    return connection;
}

} // namespace

bool keycodesOf(const unsigned long* keysyms, int count, unsigned char* keycodes) {
    Display* display = inputConnection();
    if (display == nullptr) {
        return false;
    }
    for (int i = 0; i < count; ++i) {
        keycodes[i] = XKeysymToKeycode(display, keysyms[i]);
    }
    return true;
}

bool keymapState(unsigned char* keys) {
    Display* display = inputConnection();
    return display != nullptr && XQueryKeymap(display, reinterpret_cast<char*>(keys)) != 0;
}

bool isKeyDown(const unsigned char* keys, unsigned char keycode) {
    return (keys[keycode / 8] & (1u << (keycode % 8))) != 0;
}

bool pointerState(unsigned long window, unsigned int& buttons, int& x, int& y) {
    Display* display = inputConnection();
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

bool keyboardFocus(unsigned long window, bool& focused) {
    Display* display = inputConnection();
    if (display == nullptr) {
        return false;
    }
    Window focus = 0;
    int revertTo = 0;
    XGetInputFocus(display, &focus, &revertTo);
    focused = focus == window;
    return true;
}

bool canReachDisplay() {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        return false;
    }
    XCloseDisplay(display);
    return true;
}

} // namespace platform
} // namespace qv

namespace qv {
namespace platform {

namespace {

void ignoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

} // namespace

void quietAudioLibraries() {
    setenv("ALSOFT_LOGLEVEL", "0", 0);
    // ALSA is loaded here only if it is installed, and stays loaded: OpenAL
    // opens the same library later and finds the handler in place.
    void* alsa = dlopen("libasound.so.2", RTLD_LAZY | RTLD_NODELETE);
    if (alsa == nullptr) {
        return;
    }
    using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
    using SetHandler = int (*)(Handler);
    const auto setHandler = reinterpret_cast<SetHandler>(dlsym(alsa, "snd_lib_error_set_handler"));
    if (setHandler != nullptr) {
        setHandler(ignoreAlsaError);
    }
}

void useNullAudioOutput() {
    setenv("ALSOFT_DRIVERS", "null", 1);
}

} // namespace platform
} // namespace qv
