// Frame statistics: percentiles by nearest rank, exact below 128 us and
// within 1/256 above, and the report's line format.
#include "qv/core/FrameStats.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

// Feeds durations to one phase, one frame each.
void feed(qv::FrameStats& stats, qv::FramePhase phase, std::int64_t first, std::int64_t last,
          std::int64_t stride) {
    std::int64_t now = 0;
    for (std::int64_t micros = first; micros <= last; micros += stride) {
        stats.beginFrame(now);
        now += micros;
        stats.mark(phase, now);
    }
}

TEST(FrameStats, PercentilesMeanAndMaxOverSmallAndLargeDurations) {
    qv::FrameStats stats;
    feed(stats, qv::FramePhase::DRAW, 1, 100, 1);
    feed(stats, qv::FramePhase::SHOW, 1000, 100000, 1000);
    feed(stats, qv::FramePhase::INPUT, -5, -5, 1);
    EXPECT_EQ(stats.figures(qv::FramePhase::DRAW).p99Micros, 99); // exact below 128 us

    const qv::PhaseFigures large = stats.figures(qv::FramePhase::SHOW);
    EXPECT_EQ(large.frames, 100);
    EXPECT_DOUBLE_EQ(large.meanMicros, 50500);
    EXPECT_NEAR(large.p50Micros, 50000, 50000 / 256);
    EXPECT_NEAR(large.p99Micros, 99000, 99000 / 256);
    EXPECT_EQ(large.maxMicros, 100000);

    // Time that steps back counts as none; untouched phases stay zero.
    EXPECT_EQ(stats.figures(qv::FramePhase::INPUT).maxMicros, 0);
    EXPECT_EQ(stats.figures(qv::FramePhase::STEP).frames, 0);
    EXPECT_EQ(stats.figures(qv::FramePhase::STEP).p99Micros, 0);

    // Marking SLEEP closes the frame: the period spans every phase.
    stats.reset();
    stats.beginFrame(1000);
    stats.mark(qv::FramePhase::STEP, 1003);
    stats.mark(qv::FramePhase::SLEEP, 1010);
    EXPECT_EQ(stats.figures(qv::FramePhase::SLEEP).maxMicros, 7);
    EXPECT_EQ(stats.report(), "phase=step frames=1 mean_us=3.0 p50_us=3 p99_us=3 max_us=3\n"
                              "phase=input frames=0 mean_us=0.0 p50_us=0 p99_us=0 max_us=0\n"
                              "phase=update frames=0 mean_us=0.0 p50_us=0 p99_us=0 max_us=0\n"
                              "phase=draw frames=0 mean_us=0.0 p50_us=0 p99_us=0 max_us=0\n"
                              "phase=show frames=0 mean_us=0.0 p50_us=0 p99_us=0 max_us=0\n"
                              "phase=sleep frames=1 mean_us=7.0 p50_us=7 p99_us=7 max_us=7\n"
                              "phase=period frames=1 mean_us=10.0 p50_us=10 p99_us=10 max_us=10\n");
}

} // namespace
