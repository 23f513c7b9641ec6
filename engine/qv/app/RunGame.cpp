#include "qv/app/RunGame.h"

#include "qv/app/GameRunner.h"
#ifdef QV_PAGE_FRAMES
#include "qv/platform/web/PageFrames.h"
#endif

namespace qv {

const char* engineVersion() {
    return QV_VERSION;
}

int runGame(int argc, char** argv, const GameSetup& setup) {
#ifdef QV_PAGE_FRAMES
    // The page calls each frame from its own event loop, long after this
    // function's caller is gone: the runner lives until the program ends.
    GameRunner* const runner = new GameRunner(setup);
    if (!runner->start(argc, argv)) {
        return runner->finish();
    }
    PageFrames::handOut(
        runner->isHeadless(),
        [runner](std::int64_t startMicros) { return runner->frame(startMicros); },
        [runner] { return runner->finish(); });
#else
    GameRunner runner(setup);
    if (runner.start(argc, argv)) {
        runner.runFrames();
    }
    return runner.finish();
#endif
}

} // namespace qv
