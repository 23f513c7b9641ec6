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

/// True when a window can be opened: the X display named by DISPLAY answers.
/// Asked before the window is made, since SFML aborts the program without one.
bool canReachDisplay();

/// Pointer buttons as pointerState() reports them.
constexpr unsigned int LEFT_BUTTON = 1u << 0;
/// See LEFT_BUTTON.
constexpr unsigned int MIDDLE_BUTTON = 1u << 1;
/// See LEFT_BUTTON.
constexpr unsigned int RIGHT_BUTTON = 1u << 2;

/// The X key code of each of count keysyms, into keycodes (0 for a keysym no
/// key of the keyboard makes). False when the display cannot be reached.
bool keycodesOf(const unsigned long* keysyms, int count, unsigned char* keycodes);

/// One look at the whole keyboard: keys gets one bit per X key code (32
/// bytes), set for the keys down now. False when the display cannot be asked.
bool keymapState(unsigned char* keys);

/// True when bit keycode is set in a keymapState() snapshot.
bool isKeyDown(const unsigned char* keys, unsigned char keycode);

/// One look at the pointer: the buttons down now (LEFT_BUTTON and the like)
/// and the pointer's place relative to window (an X window id). False when
/// the display cannot be asked.
bool pointerState(unsigned long window, unsigned int& buttons, int& x, int& y);

/// Sets focused to whether window (an X window id) has the display's
/// keyboard focus. False when the display cannot be asked.
bool keyboardFocus(unsigned long window, bool& focused);

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
