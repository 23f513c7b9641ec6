#ifndef QV_CORE_PLATFORM_H
#define QV_CORE_PLATFORM_H

#include <cstdint>

// The machine's clock, sleep, timer and library reports: each platform's
// sources define these.
namespace qv {
namespace platform {

/// Microseconds on a monotonic clock with an arbitrary origin. Never goes
/// backwards and does not jump when the wall clock is set.
std::int64_t monotonicMicros();

/// Blocks the calling thread until monotonicMicros() reaches deadline; a
/// deadline already past returns at once. Sleeping to an absolute time keeps
/// a wake-up that comes late from pushing every later deadline back.
void sleepUntilMicros(std::int64_t deadline);

/// Asks the system for 1 ms timer resolution for the whole run of the game.
/// Linux sleeps are already that precise, so this is a no-op there; it is
/// kept so that the loop's start-up reads the same on every platform.
void raiseTimerResolution();

/// Undoes raiseTimerResolution().
void restoreTimerResolution();

/// From now on, what the platform's libraries report about the machine goes
/// to the log as machine reports (LogManager::writeMachineReport()), one
/// message a line.
void captureLibraryReports();

/// Sends every sound to an output that always opens and plays nowhere (on
/// the desktop, OpenAL's null output): a headless run then neither looks for
/// a sound card nor reports one missing. Call it before the first audio
/// object is made.
void useNullAudioOutput();

} // namespace platform
} // namespace qv

#endif
