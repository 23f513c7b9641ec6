#include "core/Platform.h"

#include <cerrno>
#include <ctime>

namespace qv {
namespace platform {

std::int64_t monotonicMicros() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
}

void sleepMicros(std::int64_t micros) {
    if (micros <= 0) {
        return;
    }
    timespec remaining{static_cast<time_t>(micros / 1000000),
                       static_cast<long>((micros % 1000000) * 1000)};
    // A signal interrupts nanosleep; carry on with what is left.
    while (nanosleep(&remaining, &remaining) == -1 && errno == EINTR) {
    }
}

void raiseTimerResolution() {}

void restoreTimerResolution() {}

} // namespace platform
} // namespace qv
