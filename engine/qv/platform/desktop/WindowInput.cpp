#include "qv/platform/desktop/WindowInput.h"

#include "qv/core/GameManager.h"
#include "qv/display/DisplayManager.h"
#include "qv/replay/ReplaySession.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Window/Event.hpp>

#include <algorithm>
#include <iterator>

namespace qv {

namespace {

struct KeyPair {
    sf::Keyboard::Key sfml;
    Keyboard::Key engine;
};

// Also the order held keys are polled in, and only the first one found down
// is reported: letters, then codes 0 to 30, then the digits with 0 last.
constexpr KeyPair KEYS[] = {
    {sf::Keyboard::A, Keyboard::A},
    {sf::Keyboard::B, Keyboard::B},
    {sf::Keyboard::C, Keyboard::C},
    {sf::Keyboard::D, Keyboard::D},
    {sf::Keyboard::E, Keyboard::E},
    {sf::Keyboard::F, Keyboard::F},
    {sf::Keyboard::G, Keyboard::G},
    {sf::Keyboard::H, Keyboard::H},
    {sf::Keyboard::I, Keyboard::I},
    {sf::Keyboard::J, Keyboard::J},
    {sf::Keyboard::K, Keyboard::K},
    {sf::Keyboard::L, Keyboard::L},
    {sf::Keyboard::M, Keyboard::M},
    {sf::Keyboard::N, Keyboard::N},
    {sf::Keyboard::O, Keyboard::O},
    {sf::Keyboard::P, Keyboard::P},
    {sf::Keyboard::Q, Keyboard::Q},
    {sf::Keyboard::R, Keyboard::R},
    {sf::Keyboard::S, Keyboard::S},
    {sf::Keyboard::T, Keyboard::T},
    {sf::Keyboard::U, Keyboard::U},
    {sf::Keyboard::V, Keyboard::V},
    {sf::Keyboard::W, Keyboard::W},
    {sf::Keyboard::X, Keyboard::X},
    {sf::Keyboard::Y, Keyboard::Y},
    {sf::Keyboard::Z, Keyboard::Z},
    {sf::Keyboard::Space, Keyboard::SPACE},
    {sf::Keyboard::Enter, Keyboard::ENTER},
    {sf::Keyboard::Escape, Keyboard::ESCAPE},
    {sf::Keyboard::Tab, Keyboard::TAB},
    {sf::Keyboard::Left, Keyboard::LEFT_ARROW},
    {sf::Keyboard::Right, Keyboard::RIGHT_ARROW},
    {sf::Keyboard::Up, Keyboard::UP_ARROW},
    {sf::Keyboard::Down, Keyboard::DOWN_ARROW},
    {sf::Keyboard::Pause, Keyboard::PAUSE},
    {sf::Keyboard::Hyphen, Keyboard::HYPHEN},
    {sf::Keyboard::Equal, Keyboard::EQUAL},
    {sf::Keyboard::Tilde, Keyboard::TILDE},
    {sf::Keyboard::Period, Keyboard::PERIOD},
    {sf::Keyboard::Comma, Keyboard::COMMA},
    {sf::Keyboard::Slash, Keyboard::SLASH},
    {sf::Keyboard::LControl, Keyboard::LEFT_CONTROL},
    {sf::Keyboard::RControl, Keyboard::RIGHT_CONTROL},
    {sf::Keyboard::LShift, Keyboard::LEFT_SHIFT},
    {sf::Keyboard::RShift, Keyboard::RIGHT_SHIFT},
    {sf::Keyboard::F1, Keyboard::F1},
    {sf::Keyboard::F2, Keyboard::F2},
    {sf::Keyboard::F3, Keyboard::F3},
    {sf::Keyboard::F4, Keyboard::F4},
    {sf::Keyboard::F5, Keyboard::F5},
    {sf::Keyboard::F6, Keyboard::F6},
    {sf::Keyboard::F7, Keyboard::F7},
    {sf::Keyboard::F8, Keyboard::F8},
    {sf::Keyboard::F9, Keyboard::F9},
    {sf::Keyboard::F10, Keyboard::F10},
    {sf::Keyboard::F11, Keyboard::F11},
    {sf::Keyboard::F12, Keyboard::F12},
    {sf::Keyboard::Num1, Keyboard::NUM1},
    {sf::Keyboard::Num2, Keyboard::NUM2},
    {sf::Keyboard::Num3, Keyboard::NUM3},
    {sf::Keyboard::Num4, Keyboard::NUM4},
    {sf::Keyboard::Num5, Keyboard::NUM5},
    {sf::Keyboard::Num6, Keyboard::NUM6},
    {sf::Keyboard::Num7, Keyboard::NUM7},
    {sf::Keyboard::Num8, Keyboard::NUM8},
    {sf::Keyboard::Num9, Keyboard::NUM9},
    {sf::Keyboard::Num0, Keyboard::NUM0},
};

constexpr std::size_t KEY_COUNT = sizeof KEYS / sizeof KEYS[0];

// Held buttons are asked about in this order, and only the first one found
// down is reported.
constexpr sf::Mouse::Button HELD_BUTTONS[] = {sf::Mouse::Left, sf::Mouse::Right, sf::Mouse::Middle};

} // namespace

Keyboard::Key WindowInput::toEngineKey(sf::Keyboard::Key key) {
    for (const KeyPair& pair : KEYS) {
        if (pair.sfml == key) {
            return pair.engine;
        }
    }
    switch (key) {
    case sf::Keyboard::Home:
        return Keyboard::HOME;
    case sf::Keyboard::End:
        return Keyboard::END;
    case sf::Keyboard::LBracket:
        return Keyboard::LEFT_BRACKET;
    case sf::Keyboard::RBracket:
        return Keyboard::RIGHT_BRACKET;
    default:
        return Keyboard::UNDEFINED;
    }
}

Mouse::Button WindowInput::toEngineButton(sf::Mouse::Button button) {
    switch (button) {
    case sf::Mouse::Left:
        return Mouse::LEFT;
    case sf::Mouse::Right:
        return Mouse::RIGHT;
    case sf::Mouse::Middle:
        return Mouse::MIDDLE;
    default:
        return Mouse::UNDEFINED;
    }
}

namespace {

// A window pixel of a scaled window back in the game's 1024 x 768: the one
// it lies in, also left of or above the window.
int unscaled(int pixel, int scale) {
    return pixel >= 0 ? pixel / scale : -((scale - 1 - pixel) / scale);
}

} // namespace

WindowInput::WindowInput()
    : held(makeHeldInput()), keyChanges{}, buttonChanges{}, focusChange(0), moved(false),
      pointerX(0), pointerY(0) {
    static_assert(sizeof keyChanges == KEY_COUNT, "one entry per polled key");
}

void WindowInput::pollWindow(sf::Window& window, std::vector<InputEvent>& events) {
    std::fill(std::begin(keyChanges), std::end(keyChanges), 0);
    std::fill(std::begin(buttonChanges), std::end(buttonChanges), 0);
    focusChange = 0;
    moved = false;
    const int scale = DisplayManager::getInstance().getScale();
    const auto noteKey = [this](sf::Keyboard::Key key, signed char change) {
        for (std::size_t i = 0; i < KEY_COUNT; ++i) {
            if (KEYS[i].sfml == key) {
                keyChanges[i] = change;
            }
        }
    };
    const auto noteButton = [this](sf::Mouse::Button button, signed char change, int x, int y) {
        if (button == sf::Mouse::Left || button == sf::Mouse::Right ||
            button == sf::Mouse::Middle) {
            buttonChanges[button] = change;
        }
        moved = true;
        pointerX = x;
        pointerY = y;
    };
    sf::Event event;
    while (window.pollEvent(event)) {
        switch (event.type) {
        case sf::Event::Closed:
            // The game's only window: closing it ends the game, or the
            // replay being watched, after this frame.
            GameManager::getInstance().setGameOver(true);
            ReplaySession::getInstance().stopReplay();
            break;
        case sf::Event::KeyPressed:
            noteKey(event.key.code, 1);
            events.push_back(InputEvent::key(KeyboardAction::PRESSED, toEngineKey(event.key.code)));
            break;
        case sf::Event::KeyReleased:
            noteKey(event.key.code, -1);
            events.push_back(
                InputEvent::key(KeyboardAction::RELEASED, toEngineKey(event.key.code)));
            break;
        case sf::Event::MouseButtonPressed:
            noteButton(event.mouseButton.button, 1, event.mouseButton.x, event.mouseButton.y);
            events.push_back(InputEvent::mouse(
                MouseAction::CLICKED, toEngineButton(event.mouseButton.button),
                unscaled(event.mouseButton.x, scale), unscaled(event.mouseButton.y, scale)));
            break;
        case sf::Event::MouseButtonReleased:
            noteButton(event.mouseButton.button, -1, event.mouseButton.x, event.mouseButton.y);
            break;
        case sf::Event::MouseMoved:
            moved = true;
            pointerX = event.mouseMove.x;
            pointerY = event.mouseMove.y;
            events.push_back(InputEvent::mouse(MouseAction::MOVED, Mouse::UNDEFINED,
                                               unscaled(event.mouseMove.x, scale),
                                               unscaled(event.mouseMove.y, scale)));
            break;
        case sf::Event::GainedFocus:
            focusChange = 1;
            break;
        case sf::Event::LostFocus:
            focusChange = -1;
            break;
        default:
            break;
        }
    }
}

void WindowInput::collect(std::vector<InputEvent>& events) {
    sf::RenderWindow* window = DisplayManager::getInstance().getWindow();
    if (window == nullptr) {
        return;
    }
    pollWindow(*window, events);

    // Held keys and buttons are the whole desktop's, whichever window they
    // were meant for: they are the game's only while its window has the
    // focus. Where the system answers for all of them at once, asked for
    // once the last frame was shown, its answer comes without a wait and
    // the window's events since then say what changed; otherwise SFML is
    // asked about each.
    const bool snapshot = held != nullptr && held->take(*window);
    const bool focused = !snapshot          ? window->hasFocus()
                         : focusChange != 0 ? focusChange > 0
                                            : held->isFocused();
    if (focused) {
        collectHeldKey(snapshot, events);
        collectHeldButton(snapshot, *window, events);
    }
}

void WindowInput::frameShown() {
    sf::RenderWindow* window = DisplayManager::getInstance().getWindow();
    if (window != nullptr && held != nullptr) {
        held->askAhead(*window);
    }
}

void WindowInput::collectHeldKey(bool snapshot, std::vector<InputEvent>& events) const {
    for (std::size_t i = 0; i < KEY_COUNT; ++i) {
        const bool down = !snapshot            ? sf::Keyboard::isKeyPressed(KEYS[i].sfml)
                          : keyChanges[i] != 0 ? keyChanges[i] > 0
                                               : held->isKeyDown(KEYS[i].sfml);
        if (down) {
            events.push_back(InputEvent::key(KeyboardAction::HELD, KEYS[i].engine));
            return;
        }
    }
}

void WindowInput::collectHeldButton(bool snapshot, const sf::Window& window,
                                    std::vector<InputEvent>& events) const {
    for (const sf::Mouse::Button button : HELD_BUTTONS) {
        const signed char change = buttonChanges[button];
        const bool down = !snapshot     ? sf::Mouse::isButtonPressed(button)
                          : change != 0 ? change > 0
                                        : held->isButtonDown(button);
        if (down) {
            // Polling has no event to take a location from: the pointer's
            // place in the window, as last heard of.
            const sf::Vector2i where = !snapshot ? sf::Mouse::getPosition(window)
                                       : moved   ? sf::Vector2i(pointerX, pointerY)
                                                 : held->getPointer();
            const int scale = DisplayManager::getInstance().getScale();
            events.push_back(InputEvent::mouse(MouseAction::HELD, toEngineButton(button),
                                               unscaled(where.x, scale), unscaled(where.y, scale)));
            return;
        }
    }
}

} // namespace qv
