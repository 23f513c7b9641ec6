#include "qv/platform/web/PageFrames.h"

#include <emscripten.h>

#include <cmath>
#include <utility>

namespace {

std::function<bool(std::int64_t)> runFrame;
std::function<int()> finishRun;

} // namespace

// Called by the page's script with the refresh's time in milliseconds on
// the page's clock (negative headless): 1 while the game goes on. The last
// frame ends the program, which throws the page's exit out of this call.
extern "C" EMSCRIPTEN_KEEPALIVE int qv_page_frame(double refreshMs) {
    const std::int64_t start =
        refreshMs < 0 ? -1 : static_cast<std::int64_t>(std::floor(refreshMs * 1000.0));
    if (runFrame && runFrame(start)) {
        return 1;
    }
    runFrame = nullptr;
    const int status = finishRun ? finishRun() : 0;
    finishRun = nullptr;
    emscripten_force_exit(status);
}

// Runs up to count frames headless in one call from the page's script: 1
// while the game goes on (the last frame ends the program, as above).
extern "C" EMSCRIPTEN_KEEPALIVE int qv_page_frames(int count) {
    for (int i = 0; i < count; ++i) {
        qv_page_frame(-1.0);
    }
    return 1;
}

EM_JS(void, qv_page_hand_out_frames, (int headless), {
    qvPage.runFrames(
        Boolean(headless), function(refreshMs) { return _qv_page_frame(refreshMs); },
        function(count) { return _qv_page_frames(count); });
});

namespace qv {

void PageFrames::handOut(bool headless, std::function<bool(std::int64_t)> frame,
                         std::function<int()> finish) {
    runFrame = std::move(frame);
    finishRun = std::move(finish);
    qv_page_hand_out_frames(headless ? 1 : 0);
    emscripten_exit_with_live_runtime();
}

} // namespace qv
