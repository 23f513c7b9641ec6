// The page's clock and sleep. The frame loop sleeps through ASYNCIFY: the
// program's stack is put aside, the browser draws the canvas and delivers
// keys and clicks, and the loop goes on where it slept.
#include "qv/core/Platform.h"

#include <emscripten.h>

#include <cmath>

namespace qv {
namespace platform {

std::int64_t monotonicMicros() {
    return static_cast<std::int64_t>(std::floor(emscripten_get_now() * 1000.0));
}

void sleepUntilMicros(std::int64_t deadline) {
    const std::int64_t left = deadline - monotonicMicros();
    // Even a late frame hands the browser a turn, or the page would freeze.
    emscripten_sleep(left > 0 ? static_cast<unsigned>((left + 999) / 1000) : 0);
}

void raiseTimerResolution() {}

void restoreTimerResolution() {}

// The page's script and its console report for themselves.
void captureLibraryReports() {}

// A headless run plays nothing: the resource manager is silent then.
void useNullAudioOutput() {}

// A page is sent no signals to catch.
int catchStopSignals() {
    return 0;
}

} // namespace platform
} // namespace qv
