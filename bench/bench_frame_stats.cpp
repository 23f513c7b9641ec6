// What the frame statistics cost the loop: one frame's worth of marks (the
// frame start and six phases), each with the monotonic clock read the loop
// makes for it, against the 33 ms frame period. The counter
// "share_of_frame" is that cost as a fraction of 33000 us.
#include "qv/core/FrameStats.h"
#include "qv/core/Platform.h"

#include <benchmark/benchmark.h>

namespace {

void BM_FrameStatsOneFrame(benchmark::State& state) {
    qv::FrameStats stats;
    for (auto _ : state) {
        stats.beginFrame(qv::platform::monotonicMicros());
        stats.mark(qv::FramePhase::STEP, qv::platform::monotonicMicros());
        stats.mark(qv::FramePhase::INPUT, qv::platform::monotonicMicros());
        stats.mark(qv::FramePhase::UPDATE, qv::platform::monotonicMicros());
        stats.mark(qv::FramePhase::DRAW, qv::platform::monotonicMicros());
        stats.mark(qv::FramePhase::SHOW, qv::platform::monotonicMicros());
        stats.mark(qv::FramePhase::SLEEP, qv::platform::monotonicMicros());
    }
    benchmark::DoNotOptimize(stats.figures(qv::FramePhase::PERIOD));
    // Run time over (iterations x 33 ms): the time per frame as a share of
    // the frame, e.g. "10u" is 0.001 %.
    state.counters["share_of_frame"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * 0.033,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_FrameStatsOneFrame);

} // namespace
