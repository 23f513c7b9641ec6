#ifndef QV_DISPLAY_INPUTMANAGER_H
#define QV_DISPLAY_INPUTMANAGER_H

#include "qv/core/Manager.h"
#include "qv/display/Keyboard.h"
#include "qv/display/Mouse.h"

#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Mouse.hpp>

namespace qv {

/// Turns the window's keyboard and mouse into keyboard and mouse events,
/// handed to every object the moment they are made.
class InputManager : public Manager {
public:
    /// The one input manager, made on first use.
    static InputManager& getInstance();

    /// Switches key repeat off on the display's window. -1 when the display
    /// manager is not started.
    int startUp() override;

    /// Switches key repeat back on, if there is a window.
    void shutDown() override;

    /// One pass, once per frame: the window's queued events, then the first
    /// held key, then the first held mouse button. Does nothing unless started.
    void getInput();

    /// The engine's code for an SFML key; UNDEFINED for keys it does not know.
    static Keyboard::Key toEngineKey(sf::Keyboard::Key key);

    /// The engine's button for an SFML button; UNDEFINED for the extra ones.
    static Mouse::Button toEngineButton(sf::Mouse::Button button);

private:
    InputManager();
};

} // namespace qv

#endif
