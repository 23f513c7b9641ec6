#include "qv/platform/web/PageFrames.h"

#include <emscripten.h>

#include <utility>

namespace {

std::function<bool()> runFrame;
std::function<int()> finishRun;

} // namespace

// Called by the page's script: 1 while the game goes on. The last frame
// ends the program, which throws the page's exit out of this call.
extern "C" EMSCRIPTEN_KEEPALIVE int qv_page_frame() {
    if (runFrame && runFrame()) {
        return 1;
    }
    runFrame = nullptr;
    const int status = finishRun ? finishRun() : 0;
    finishRun = nullptr;
    emscripten_force_exit(status);
}

EM_JS(void, qv_page_hand_out_frames, (int headless), {
    qvPage.runFrames(
        Boolean(headless), function() { return _qv_page_frame(); });
});

namespace qv {

void PageFrames::handOut(bool headless, std::function<bool()> frame, std::function<int()> finish) {
    runFrame = std::move(frame);
    finishRun = std::move(finish);
    qv_page_hand_out_frames(headless ? 1 : 0);
    emscripten_exit_with_live_runtime();
}

} // namespace qv
