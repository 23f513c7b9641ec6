// The page's clock and sleep. The page runs the frames itself, one whenever
// the display is due one (PageFrames), so the frame loop never sleeps here.
#include "qv/core/Platform.h"

#include <emscripten.h>

#include <cmath>

namespace qv {
namespace platform {

std::int64_t monotonicMicros() {
    return static_cast<std::int64_t>(std::floor(emscripten_get_now() * 1000.0));
}

void sleepUntilMicros(std::int64_t deadline) {
    // A page cannot block without ASYNCIFY; only a loop the page does not
    // drive, such as a test's, gets here, and it waits by the clock.
    while (monotonicMicros() < deadline) {
    }
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
