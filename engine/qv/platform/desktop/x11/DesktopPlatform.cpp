#include "qv/platform/desktop/DesktopPlatform.h"

#include "qv/core/Platform.h"

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
