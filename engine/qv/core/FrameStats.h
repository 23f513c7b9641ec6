#ifndef QV_CORE_FRAMESTATS_H
#define QV_CORE_FRAMESTATS_H

#include <array>
#include <cstdint>
#include <string>

namespace qv {

/// The parts of a frame the game loop times, in the order they run, and the
/// whole frame period.
enum class FramePhase : int {
    STEP = 0,   ///< the step event handed to every object
    INPUT = 1,  ///< polling and dispatching keyboard and mouse input
    UPDATE = 2, ///< the world update: deletions, movement, collisions
    DRAW = 3,   ///< every object drawing itself
    SHOW = 4,   ///< showing the finished frame
    SLEEP = 5,  ///< sleeping out the rest of the frame period
    PERIOD = 6, ///< the whole frame, from its start to the end of its sleep
};

/// Figures for one phase over the frames measured so far, in microseconds.
struct PhaseFigures {
    long long frames = 0;    ///< frames measured
    double meanMicros = 0;   ///< exact mean
    long long p50Micros = 0; ///< median, within 1/256 of the true value
    long long p99Micros = 0; ///< 99th percentile, within 1/256
    long long maxMicros = 0; ///< exact maximum
};

/// Times the phases of every frame. Each phase keeps a histogram of fixed
/// size, so memory stays bounded however long a game runs and a mark costs
/// a few additions: exact below 128 us, 128 buckets per power of two above.
class FrameStats {
public:
    /// The number of FramePhase values, PERIOD included.
    static constexpr int PHASES = 7;

    FrameStats();

    /// Forgets every figure.
    void reset();

    /// A frame starts at nowMicros; the next mark() times from here.
    void beginFrame(std::int64_t nowMicros);

    /// The phase ended at nowMicros: it took the time since the previous
    /// mark or the frame's start. Marking SLEEP also ends the frame and
    /// records its PERIOD.
    void mark(FramePhase phase, std::int64_t nowMicros);

    /// The figures of one phase; all zero before the first frame.
    PhaseFigures figures(FramePhase phase) const;

    /// The lower-case name of a phase: "step", "input", "update", "draw",
    /// "show", "sleep" or "period".
    static const char* phaseName(FramePhase phase);

    /// One line per phase, PERIOD last, each ending in a line break:
    /// "phase=NAME frames=N mean_us=M p50_us=A p99_us=B max_us=C".
    std::string report() const;

private:
    static constexpr int SUB_BITS = 7;
    static constexpr int EXACT = 1 << SUB_BITS;
    static constexpr int SUB_BUCKETS = 1 << SUB_BITS;
    static constexpr int BUCKETS = EXACT + (32 - SUB_BITS) * SUB_BUCKETS;

    struct Phase {
        std::array<std::uint32_t, BUCKETS> counts{};
        long long frames = 0;
        long long sumMicros = 0;
        long long maxMicros = 0;
    };

    void record(Phase& phase, std::int64_t micros);
    static int bucketOf(std::uint32_t micros);
    static long long bucketMiddle(int bucket);
    static long long percentile(const Phase& phase, double fraction);

    std::array<Phase, PHASES> phases;
    std::int64_t frameStart;
    std::int64_t lastMark;
};

} // namespace qv

#endif
