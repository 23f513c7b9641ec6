#include "qv/platform/terminal/HeldKeys.h"

namespace qv {

void HeldKeys::accept(const InputEvent& event, bool exact, long long nowMs,
                      std::vector<InputEvent>& events) {
    if (event.kind != InputEvent::Kind::KEY || event.code < 0 || event.code >= KEY_COUNT) {
        events.push_back(event);
        return;
    }
    KeyState& key = keys[static_cast<std::size_t>(event.code)];
    const auto action = static_cast<KeyboardAction>(event.action);
    if (action == KeyboardAction::RELEASED) {
        if (key.down) {
            key = KeyState();
            events.push_back(event);
        }
        return;
    }
    const bool wasDown = key.down;
    key.down = true;
    key.guessed = !exact;
    key.repeating = wasDown;
    key.lastSeenMs = nowMs;
    if (action == KeyboardAction::PRESSED && !wasDown) {
        events.push_back(event);
    }
}

void HeldKeys::endFrame(long long nowMs, std::vector<InputEvent>& events) {
    for (int code = 0; code < KEY_COUNT; ++code) {
        KeyState& key = keys[static_cast<std::size_t>(code)];
        const long long wait = key.repeating ? NEXT_REPEAT_MS : FIRST_REPEAT_MS;
        if (key.down && key.guessed && nowMs - key.lastSeenMs > wait) {
            key = KeyState();
            events.push_back(
                InputEvent::key(KeyboardAction::RELEASED, static_cast<Keyboard::Key>(code)));
        }
    }
    // The order a keyboard is polled in: letters, then the rest by code.
    for (int code = Keyboard::A; code <= Keyboard::Z; ++code) {
        if (keys[static_cast<std::size_t>(code)].down) {
            events.push_back(
                InputEvent::key(KeyboardAction::HELD, static_cast<Keyboard::Key>(code)));
            return;
        }
    }
    for (int code = 0; code < KEY_COUNT; ++code) {
        if (keys[static_cast<std::size_t>(code)].down) {
            events.push_back(
                InputEvent::key(KeyboardAction::HELD, static_cast<Keyboard::Key>(code)));
            return;
        }
    }
}

bool HeldKeys::isDown(Keyboard::Key key) const {
    return key >= 0 && key < KEY_COUNT && keys[static_cast<std::size_t>(key)].down;
}

} // namespace qv
