#ifndef QV_CORE_PLATFORM_H
#define QV_CORE_PLATFORM_H

#include <cstdint>

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

/// True when a window can be opened: the X display named by DISPLAY answers.
/// Asked before the window is made, since SFML aborts the program without one.
bool canReachDisplay();

/// Keeps the system's audio libraries from writing to standard error: ALSA
/// and OpenAL each print several lines for every failed attempt to open a
/// device on a machine without a sound card. Call it before the first audio
/// object is made; OpenAL's ALSOFT_LOGLEVEL, when set, is left as it is.
void quietAudioLibraries();

/// Sends every sound to OpenAL's null output, which always opens and plays
/// nowhere: a headless run then neither looks for a sound card nor reports
/// one missing. Call it before the first audio object is made.
void useNullAudioOutput();

} // namespace platform
} // namespace qv

#endif
