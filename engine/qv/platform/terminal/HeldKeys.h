#ifndef QV_PLATFORM_TERMINAL_HELDKEYS_H
#define QV_PLATFORM_TERMINAL_HELDKEYS_H

#include "qv/display/InputEvent.h"

#include <array>
#include <vector>

namespace qv {

/// Which keys are down, from what a terminal reports: exactly where it
/// sends releases, else guessed from auto-repeat. Each frame then reports
/// the first key down as HELD, as polling a keyboard does.
class HeldKeys {
public:
    /// How long after a press without releases the first auto-repeat may
    /// come before the key counts as released: auto-repeat starts 250 to
    /// 600 ms after a press on common desktops.
    static constexpr long long FIRST_REPEAT_MS = 600;
    /// How long between repeats before the key counts as released: three
    /// periods of the slowest common rate (25 a second), which leaves room
    /// for a late packet over a network.
    static constexpr long long NEXT_REPEAT_MS = 150;

    /// Takes one key event from the terminal at nowMs and appends what the
    /// engine gets from it: a press of a key already down is only its
    /// auto-repeat (nothing); a protocol repeat (HELD) keeps it down
    /// (nothing); releases pass through. Other events pass through.
    void accept(const InputEvent& event, bool exact, long long nowMs,
                std::vector<InputEvent>& events);

    /// Ends a frame's input at nowMs: releases the guessed keys whose repeats
    /// stopped, then appends HELD for the first key down (letters, then
    /// codes 0 to 30, then digits).
    void endFrame(long long nowMs, std::vector<InputEvent>& events);

    /// Whether a key is down.
    bool isDown(Keyboard::Key key) const;

private:
    struct KeyState {
        bool down = false;
        // Down from a terminal that sends no releases.
        bool guessed = false;
        bool repeating = false;
        long long lastSeenMs = 0;
    };
    static constexpr int KEY_COUNT = Keyboard::NUM0 + 1;
    std::array<KeyState, KEY_COUNT> keys{};
};

} // namespace qv

#endif
