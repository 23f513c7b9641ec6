#ifndef QV_PLATFORM_DESKTOP_WINDOWINPUT_H
#define QV_PLATFORM_DESKTOP_WINDOWINPUT_H

#include "qv/display/InputSource.h"
#include "qv/display/Keyboard.h"
#include "qv/display/Mouse.h"
#include "qv/platform/desktop/x11/XInputState.h"

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

    /// Polls the window, then takes one look at the X server's keys and buttons.
    void collect(std::vector<InputEvent>& events) override;

    /// The engine's code for an SFML key; UNDEFINED for keys it does not know.
    static Keyboard::Key toEngineKey(sf::Keyboard::Key key);

    /// The engine's button for an SFML button; UNDEFINED for the extra ones.
    static Mouse::Button toEngineButton(sf::Mouse::Button button);

private:
    void collectHeldKey(bool snapshot, std::vector<InputEvent>& events) const;
    void collectHeldButton(bool snapshot, const sf::Window& window,
                           std::vector<InputEvent>& events) const;

    // The X key code of each polled key, in polling order (67 keys).
    XInputState xinput;
    unsigned char keycodes[67];
    bool haveKeycodes;
};

} // namespace qv

#endif
