#ifndef QV_CORE_PLATFORM_H
#define QV_CORE_PLATFORM_H

#include <cstdint>

namespace qv {
namespace platform {

/// Microseconds on a monotonic clock with an arbitrary origin. Never goes
/// backwards and does not jump when the wall clock is set.
std::int64_t monotonicMicros();

/// Blocks the calling thread for about the given number of microseconds.
/// Negative or zero durations return at once. Linux usually oversleeps by
/// 50-100 us; a busy system can add a scheduler tick or more.
void sleepMicros(std::int64_t micros);

/// Asks the system for 1 ms timer resolution for the whole run of the game.
/// Linux sleeps are already that precise, so this is a no-op there; it is
/// kept so that the loop's start-up reads the same on every platform.
void raiseTimerResolution();

/// Undoes raiseTimerResolution().
void restoreTimerResolution();

} // namespace platform
} // namespace qv

#endif
