#ifndef QV_PLATFORM_DESKTOP_WINDOWINPUT_H
#define QV_PLATFORM_DESKTOP_WINDOWINPUT_H

#include "qv/display/InputSource.h"
#include "qv/display/Keyboard.h"
#include "qv/display/Mouse.h"
#include "qv/platform/desktop/HeldInput.h"

#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Mouse.hpp>
#include <SFML/Window/Window.hpp>

#include <memory>

namespace qv {

/// Events from the desktop window: its queued events, then the first held
/// key, then the first held mouse button, these two only while the window
/// has the keyboard focus. A close request ends the game, or the replay
/// watched, after the frame.
class WindowInput : public InputSource {
public:
    /// Readies the system's held input.
    WindowInput();

    /// Polls the window, then takes the held keys and buttons: as the
    /// system said when last asked (after the last frame was shown; now, if
    /// not asked), brought up to date by the window's events since.
    void collect(std::vector<InputEvent>& events) override;

    /// Asks the system about the keys, buttons and focus for the next
    /// collect(), without waiting for the answer.
    void frameShown() override;

    /// The engine's code for an SFML key; UNDEFINED for keys it does not know.
    static Keyboard::Key toEngineKey(sf::Keyboard::Key key);

    /// The engine's button for an SFML button; UNDEFINED for the extra ones.
    static Mouse::Button toEngineButton(sf::Mouse::Button button);

private:
    void pollWindow(sf::Window& window, std::vector<InputEvent>& events);
    void collectHeldKey(bool snapshot, std::vector<InputEvent>& events) const;
    void collectHeldButton(bool snapshot, const sf::Window& window,
                           std::vector<InputEvent>& events) const;

    std::unique_ptr<HeldInput> held;
    // What this frame's window events said last, per polled key (67), per
    // SFML button (left, right, middle) and of the focus: 1 down (or
    // gained), -1 up (or lost), 0 nothing. The pointer's place in window
    // pixels from the last event that gave one, if moved.
    signed char keyChanges[67];
    signed char buttonChanges[3];
    signed char focusChange;
    bool moved;
    int pointerX;
    int pointerY;
};

} // namespace qv

#endif
