#include "qv/core/Platform.h"

#include <X11/Xlib.h>

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
