#ifndef QV_PLATFORM_DESKTOP_HELDINPUT_H
#define QV_PLATFORM_DESKTOP_HELDINPUT_H

#include <SFML/System/Vector2.hpp>
#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Mouse.hpp>
#include <SFML/Window/Window.hpp>

#include <memory>

namespace qv {

/// The held keys, buttons, pointer and focus of a window, all taken at once
/// where asking SFML about each would wait on the system once per question.
class HeldInput {
public:
    virtual ~HeldInput();

    /// Asks about window for the next take() without waiting for the
    /// answer, which comes in meanwhile (while the loop sleeps).
    virtual void askAhead(const sf::Window& window) = 0;
    /// Takes everything at once for window, as it was when last asked
    /// (asking now, and waiting, when nothing was asked); false when it
    /// cannot, and the getters then say nothing.
    virtual bool take(const sf::Window& window) = 0;
    /// Whether the window had the keyboard focus when taken.
    virtual bool isFocused() const = 0;
    /// Whether key was down when taken.
    virtual bool isKeyDown(sf::Keyboard::Key key) const = 0;
    /// Whether button was down when taken.
    virtual bool isButtonDown(sf::Mouse::Button button) const = 0;
    /// The pointer's place relative to the window when taken.
    virtual sf::Vector2i getPointer() const = 0;
};

/// The system's held input; null where SFML's own calls are answered
/// without a wait, so asking SFML costs nothing. Each system's folder
/// defines it.
std::unique_ptr<HeldInput> makeHeldInput();

} // namespace qv

#endif
