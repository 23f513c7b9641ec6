#ifndef QV_PLATFORM_DESKTOP_WINDOWINPUT_H
#define QV_PLATFORM_DESKTOP_WINDOWINPUT_H

#include "qv/display/InputSource.h"
#include "qv/display/Keyboard.h"
#include "qv/display/Mouse.h"
#include "qv/platform/desktop/XInputState.h"

#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Mouse.hpp>
#include <SFML/Window/Window.hpp>

namespace qv {

/// Events from the desktop window: its queued events, then the first held
/// key, then the first held mouse button, these two only while the window
/// has the keyboard focus. A close request ends the game, or the replay
/// watched, after the frame.
class WindowInput : public InputSource {
public:
    /// Finds the X key codes of the keys it polls.
    WindowInput();

    /// Polls the window, then takes what the X server said of its keys and
    /// buttons when last asked (after the last frame was shown; now, if not
    /// asked), brought up to date by the window's events since.
    void collect(std::vector<InputEvent>& events) override;

    /// Polls the window, for its close button, and asks the server nothing.
    void skip() override;

    /// Asks the X server about the keys, buttons and focus for the next
    /// collect(), without waiting for the answer.
    void frameShown() override;

    /// The engine's code for an SFML key; UNDEFINED for keys it does not know.
    static Keyboard::Key toEngineKey(sf::Keyboard::Key key);

    /// The engine's button for an SFML button; UNDEFINED for the extra ones.
    static Mouse::Button toEngineButton(sf::Mouse::Button button);

private:
    /// Takes the window's queued events into events and notes what they
    /// change of the keys, buttons, pointer and focus.
    void pollWindow(sf::Window& window, std::vector<InputEvent>& events);
    void collectHeldKey(bool snapshot, std::vector<InputEvent>& events) const;
    void collectHeldButton(bool snapshot, const sf::Window& window,
                           std::vector<InputEvent>& events) const;

    XInputState xinput;
    // The X key code of each polled key, in polling order (67 keys).
    unsigned char keycodes[67];
    bool haveKeycodes;
    // What this frame's window events said last, per polled key, per SFML
    // button (left, right, middle) and of the focus: 1 down (or gained),
    // -1 up (or lost), 0 nothing. The pointer's place from the last event
    // that gave one, if moved.
    signed char keyChanges[67];
    signed char buttonChanges[3];
    signed char focusChange;
    bool moved;
    int pointerX;
    int pointerY;
    // Where skip() drops the events.
    std::vector<InputEvent> skipped;
};

} // namespace qv

#endif
