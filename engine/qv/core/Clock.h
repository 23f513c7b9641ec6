#ifndef QV_CORE_CLOCK_H
#define QV_CORE_CLOCK_H

#include <cstdint>

namespace qv {

/// A stopwatch on the monotonic clock: it never runs backwards, so a frame
/// never sees a negative elapsed time when the system time is changed.
class Clock {
public:
    /// Source of the current time in microseconds; tests pass a fake one.
    using TimeSource = std::int64_t (*)();

    /// Starts the stopwatch at once.
    explicit Clock(TimeSource source = nullptr);

    /// Records the current time as the start.
    void restart();

    /// Makes a given time of the time source the start.
    void restartAt(std::int64_t startMicros);

    /// The current time of the clock's time source, in microseconds.
    std::int64_t nowMicros() const;

    /// Whole milliseconds since the start (truncated, never negative).
    std::int64_t elapsedMs() const;

    /// Microseconds since the start, never negative. The monotonic source
    /// counts in nanoseconds, so this is exact to the microsecond.
    std::int64_t elapsedMicros() const;

private:
    TimeSource source;
    std::int64_t startMicros;
};

} // namespace qv

#endif
