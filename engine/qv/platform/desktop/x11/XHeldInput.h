#ifndef QV_PLATFORM_DESKTOP_X11_XHELDINPUT_H
#define QV_PLATFORM_DESKTOP_X11_XHELDINPUT_H

#include "qv/platform/desktop/HeldInput.h"
#include "qv/platform/desktop/x11/XInputState.h"

namespace qv {

/// Held input from one look at the X server a frame (XInputState): SFML
/// would ask the server once per key and button.
class XHeldInput : public HeldInput {
public:
    /// Finds the X key code of every key SFML names.
    XHeldInput();

    /// Sends the server the three questions take() reads the answers of.
    void askAhead(const sf::Window& window) override;
    /// Reads the server's answers about the keys, buttons, pointer and
    /// focus (asking first when nothing was asked).
    bool take(const sf::Window& window) override;
    /// Whether the window had the keyboard focus when taken.
    bool isFocused() const override;
    /// Whether key was down when taken; false for a key no X key makes.
    bool isKeyDown(sf::Keyboard::Key key) const override;
    /// Whether button was down when taken.
    bool isButtonDown(sf::Mouse::Button button) const override;
    /// The pointer's place relative to the window when taken.
    sf::Vector2i getPointer() const override;

private:
    XInputState xinput;
    // The X key code of each SFML key, 0 for none.
    unsigned char keycodes[sf::Keyboard::KeyCount];
    bool haveKeycodes;
};

} // namespace qv

#endif
