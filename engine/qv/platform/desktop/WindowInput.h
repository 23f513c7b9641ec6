#ifndef QV_PLATFORM_DESKTOP_WINDOWINPUT_H
#define QV_PLATFORM_DESKTOP_WINDOWINPUT_H

#include "qv/display/InputSource.h"
#include "qv/display/Keyboard.h"
#include "qv/display/Mouse.h"

#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Mouse.hpp>

namespace qv {

/// Events from the desktop window: its queued events, then the first held
/// key, then the first held mouse button.
class WindowInput : public InputSource {
public:
    /// Polls the window; only the polling of held keys and buttons goes on
    /// once the player has closed it.
    void collect(std::vector<InputEvent>& events) override;

    /// The engine's code for an SFML key; UNDEFINED for keys it does not know.
    static Keyboard::Key toEngineKey(sf::Keyboard::Key key);

    /// The engine's button for an SFML button; UNDEFINED for the extra ones.
    static Mouse::Button toEngineButton(sf::Mouse::Button button);
};

} // namespace qv

#endif
