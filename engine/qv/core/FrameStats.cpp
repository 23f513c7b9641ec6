#include "qv/core/FrameStats.h"

#include <cmath>
#include <cstdio>

namespace qv {

namespace {

constexpr const char* PHASE_NAMES[FrameStats::PHASES] = {"step", "input", "update", "draw",
                                                         "show", "sleep", "period"};

} // namespace

FrameStats::FrameStats() : frameStart(0), lastMark(0) {}

void FrameStats::reset() {
    phases = {};
    frameStart = 0;
    lastMark = 0;
}

void FrameStats::beginFrame(std::int64_t nowMicros) {
    frameStart = nowMicros;
    lastMark = nowMicros;
}

void FrameStats::mark(FramePhase phase, std::int64_t nowMicros) {
    record(phases[static_cast<int>(phase)], nowMicros - lastMark);
    lastMark = nowMicros;
    if (phase == FramePhase::SLEEP) {
        record(phases[static_cast<int>(FramePhase::PERIOD)], nowMicros - frameStart);
    }
}

void FrameStats::record(Phase& phase, std::int64_t micros) {
    // A time source that steps back (only a fake one can) counts as 0.
    const std::uint32_t value =
        micros <= 0 ? 0u : (micros >= UINT32_MAX ? UINT32_MAX : static_cast<std::uint32_t>(micros));
    ++phase.counts[bucketOf(value)];
    ++phase.frames;
    phase.sumMicros += value;
    if (value > phase.maxMicros) {
        phase.maxMicros = value;
    }
}

int FrameStats::bucketOf(std::uint32_t micros) {
    if (micros < EXACT) {
        return static_cast<int>(micros);
    }
    const int exponent = 31 - __builtin_clz(micros);
    const int shift = exponent - SUB_BITS;
    const int sub = static_cast<int>(micros >> shift) & (SUB_BUCKETS - 1);
    return EXACT + shift * SUB_BUCKETS + sub;
}

long long FrameStats::bucketMiddle(int bucket) {
    if (bucket < EXACT) {
        return bucket;
    }
    const int shift = (bucket - EXACT) / SUB_BUCKETS;
    const long long sub = (bucket - EXACT) % SUB_BUCKETS;
    const long long low = (SUB_BUCKETS + sub) << shift;
    return low + ((1LL << shift) >> 1);
}

long long FrameStats::percentile(const Phase& phase, double fraction) {
    if (phase.frames == 0) {
        return 0;
    }
    // Nearest rank: the smallest value that at least this share of frames
    // did not exceed.
    long long rank =
        static_cast<long long>(std::ceil(fraction * static_cast<double>(phase.frames)));
    if (rank < 1) {
        rank = 1;
    }
    long long seen = 0;
    for (int bucket = 0; bucket < BUCKETS; ++bucket) {
        seen += phase.counts[bucket];
        if (seen >= rank) {
            const long long middle = bucketMiddle(bucket);
            return middle < phase.maxMicros ? middle : phase.maxMicros;
        }
    }
    return phase.maxMicros;
}

PhaseFigures FrameStats::figures(FramePhase phase) const {
    const Phase& measured = phases[static_cast<int>(phase)];
    PhaseFigures result;
    result.frames = measured.frames;
    if (measured.frames > 0) {
        result.meanMicros =
            static_cast<double>(measured.sumMicros) / static_cast<double>(measured.frames);
    }
    result.p50Micros = percentile(measured, 0.50);
    result.p99Micros = percentile(measured, 0.99);
    result.maxMicros = measured.maxMicros;
    return result;
}

const char* FrameStats::phaseName(FramePhase phase) {
    const int index = static_cast<int>(phase);
    return index >= 0 && index < PHASES ? PHASE_NAMES[index] : "unknown";
}

std::string FrameStats::report() const {
    std::string text;
    for (int i = 0; i < PHASES; ++i) {
        const FramePhase phase = static_cast<FramePhase>(i);
        const PhaseFigures f = figures(phase);
        char line[160];
        std::snprintf(line, sizeof line,
                      "phase=%s frames=%lld mean_us=%.1f p50_us=%lld p99_us=%lld max_us=%lld\n",
                      phaseName(phase), f.frames, f.meanMicros, f.p50Micros, f.p99Micros,
                      f.maxMicros);
        text += line;
    }
    return text;
}

} // namespace qv
