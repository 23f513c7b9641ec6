#include "qv/platform/desktop/WindowInput.h"

#include "qv/core/GameManager.h"
#include "qv/display/DisplayManager.h"
#include "qv/replay/ReplaySession.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Window/Event.hpp>
#include <X11/keysym.h>

namespace qv {

namespace {

struct KeyPair {
    sf::Keyboard::Key sfml;
    Keyboard::Key engine;
    // What the key makes on an X keyboard, to find its key code.
    unsigned long keysym;
};

// Also the order held keys are polled in, and only the first one found down
// is reported: letters, then codes 0 to 30, then the digits with 0 last.
constexpr KeyPair KEYS[] = {
    {sf::Keyboard::A, Keyboard::A, XK_a},
    {sf::Keyboard::B, Keyboard::B, XK_b},
    {sf::Keyboard::C, Keyboard::C, XK_c},
    {sf::Keyboard::D, Keyboard::D, XK_d},
    {sf::Keyboard::E, Keyboard::E, XK_e},
    {sf::Keyboard::F, Keyboard::F, XK_f},
    {sf::Keyboard::G, Keyboard::G, XK_g},
    {sf::Keyboard::H, Keyboard::H, XK_h},
    {sf::Keyboard::I, Keyboard::I, XK_i},
    {sf::Keyboard::J, Keyboard::J, XK_j},
    {sf::Keyboard::K, Keyboard::K, XK_k},
    {sf::Keyboard::L, Keyboard::L, XK_l},
    {sf::Keyboard::M, Keyboard::M, XK_m},
    {sf::Keyboard::N, Keyboard::N, XK_n},
    {sf::Keyboard::O, Keyboard::O, XK_o},
    {sf::Keyboard::P, Keyboard::P, XK_p},
    {sf::Keyboard::Q, Keyboard::Q, XK_q},
    {sf::Keyboard::R, Keyboard::R, XK_r},
    {sf::Keyboard::S, Keyboard::S, XK_s},
    {sf::Keyboard::T, Keyboard::T, XK_t},
    {sf::Keyboard::U, Keyboard::U, XK_u},
    {sf::Keyboard::V, Keyboard::V, XK_v},
    {sf::Keyboard::W, Keyboard::W, XK_w},
    {sf::Keyboard::X, Keyboard::X, XK_x},
    {sf::Keyboard::Y, Keyboard::Y, XK_y},
    {sf::Keyboard::Z, Keyboard::Z, XK_z},
    {sf::Keyboard::Space, Keyboard::SPACE, XK_space},
    {sf::Keyboard::Enter, Keyboard::ENTER, XK_Return},
    {sf::Keyboard::Escape, Keyboard::ESCAPE, XK_Escape},
    {sf::Keyboard::Tab, Keyboard::TAB, XK_Tab},
    {sf::Keyboard::Left, Keyboard::LEFT_ARROW, XK_Left},
    {sf::Keyboard::Right, Keyboard::RIGHT_ARROW, XK_Right},
    {sf::Keyboard::Up, Keyboard::UP_ARROW, XK_Up},
    {sf::Keyboard::Down, Keyboard::DOWN_ARROW, XK_Down},
    {sf::Keyboard::Pause, Keyboard::PAUSE, XK_Pause},
    {sf::Keyboard::Hyphen, Keyboard::HYPHEN, XK_minus},
    {sf::Keyboard::Equal, Keyboard::EQUAL, XK_equal},
    {sf::Keyboard::Tilde, Keyboard::TILDE, XK_grave},
    {sf::Keyboard::Period, Keyboard::PERIOD, XK_period},
    {sf::Keyboard::Comma, Keyboard::COMMA, XK_comma},
    {sf::Keyboard::Slash, Keyboard::SLASH, XK_slash},
    {sf::Keyboard::LControl, Keyboard::LEFT_CONTROL, XK_Control_L},
    {sf::Keyboard::RControl, Keyboard::RIGHT_CONTROL, XK_Control_R},
    {sf::Keyboard::LShift, Keyboard::LEFT_SHIFT, XK_Shift_L},
    {sf::Keyboard::RShift, Keyboard::RIGHT_SHIFT, XK_Shift_R},
    {sf::Keyboard::F1, Keyboard::F1, XK_F1},
    {sf::Keyboard::F2, Keyboard::F2, XK_F2},
    {sf::Keyboard::F3, Keyboard::F3, XK_F3},
    {sf::Keyboard::F4, Keyboard::F4, XK_F4},
    {sf::Keyboard::F5, Keyboard::F5, XK_F5},
    {sf::Keyboard::F6, Keyboard::F6, XK_F6},
    {sf::Keyboard::F7, Keyboard::F7, XK_F7},
    {sf::Keyboard::F8, Keyboard::F8, XK_F8},
    {sf::Keyboard::F9, Keyboard::F9, XK_F9},
    {sf::Keyboard::F10, Keyboard::F10, XK_F10},
    {sf::Keyboard::F11, Keyboard::F11, XK_F11},
    {sf::Keyboard::F12, Keyboard::F12, XK_F12},
    {sf::Keyboard::Num1, Keyboard::NUM1, XK_1},
    {sf::Keyboard::Num2, Keyboard::NUM2, XK_2},
    {sf::Keyboard::Num3, Keyboard::NUM3, XK_3},
    {sf::Keyboard::Num4, Keyboard::NUM4, XK_4},
    {sf::Keyboard::Num5, Keyboard::NUM5, XK_5},
    {sf::Keyboard::Num6, Keyboard::NUM6, XK_6},
    {sf::Keyboard::Num7, Keyboard::NUM7, XK_7},
    {sf::Keyboard::Num8, Keyboard::NUM8, XK_8},
    {sf::Keyboard::Num9, Keyboard::NUM9, XK_9},
    {sf::Keyboard::Num0, Keyboard::NUM0, XK_0},
};

constexpr std::size_t KEY_COUNT = sizeof KEYS / sizeof KEYS[0];

constexpr sf::Mouse::Button HELD_BUTTON_ORDER[] = {sf::Mouse::Left, sf::Mouse::Right,
                                                   sf::Mouse::Middle};

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

WindowInput::WindowInput() : keycodes{}, haveKeycodes(false) {
    static_assert(sizeof keycodes == KEY_COUNT, "one key code per polled key");
    unsigned long keysyms[KEY_COUNT];
    for (std::size_t i = 0; i < KEY_COUNT; ++i) {
        keysyms[i] = KEYS[i].keysym;
    }
    haveKeycodes = xinput.keycodesOf(keysyms, static_cast<int>(KEY_COUNT), keycodes);
}

void WindowInput::collect(std::vector<InputEvent>& events) {
    sf::RenderWindow* window = DisplayManager::getInstance().getWindow();
    if (window == nullptr) {
        return;
    }
    const int scale = DisplayManager::getInstance().getScale();
    sf::Event event;
    while (window->pollEvent(event)) {
        switch (event.type) {
        case sf::Event::Closed:
            // The game's only window: closing it ends the game, or the
            // replay being watched, after this frame.
            GameManager::getInstance().setGameOver(true);
            ReplaySession::getInstance().stopReplay();
            break;
        case sf::Event::KeyPressed:
            events.push_back(InputEvent::key(KeyboardAction::PRESSED, toEngineKey(event.key.code)));
            break;
        case sf::Event::KeyReleased:
            events.push_back(
                InputEvent::key(KeyboardAction::RELEASED, toEngineKey(event.key.code)));
            break;
        case sf::Event::MouseButtonPressed:
            events.push_back(InputEvent::mouse(
                MouseAction::CLICKED, toEngineButton(event.mouseButton.button),
                unscaled(event.mouseButton.x, scale), unscaled(event.mouseButton.y, scale)));
            break;
        case sf::Event::MouseMoved:
            events.push_back(InputEvent::mouse(MouseAction::MOVED, Mouse::UNDEFINED,
                                               unscaled(event.mouseMove.x, scale),
                                               unscaled(event.mouseMove.y, scale)));
            break;
        default:
            break;
        }
    }

    // Held keys and buttons are the X server's, whichever window they were
    // meant for: they are the game's only while its window has the focus.
    // One look at the server answers for every key and button; without it
    // SFML is asked about each.
    const bool snapshot = haveKeycodes && xinput.take(window->getSystemHandle());
    if (snapshot ? xinput.isFocused() : window->hasFocus()) {
        collectHeldKey(snapshot, events);
        collectHeldButton(snapshot, *window, events);
    }
}

void WindowInput::collectHeldKey(bool snapshot, std::vector<InputEvent>& events) const {
    for (std::size_t i = 0; i < KEY_COUNT; ++i) {
        const bool down = snapshot ? keycodes[i] != 0 && xinput.isKeyDown(keycodes[i])
                                   : sf::Keyboard::isKeyPressed(KEYS[i].sfml);
        if (down) {
            events.push_back(InputEvent::key(KeyboardAction::HELD, KEYS[i].engine));
            return;
        }
    }
}

void WindowInput::collectHeldButton(bool snapshot, const sf::Window& window,
                                    std::vector<InputEvent>& events) const {
    const unsigned int masks[] = {XInputState::LEFT_BUTTON, XInputState::RIGHT_BUTTON,
                                  XInputState::MIDDLE_BUTTON};
    for (std::size_t i = 0; i < 3; ++i) {
        const sf::Mouse::Button button = HELD_BUTTON_ORDER[i];
        if (snapshot ? (xinput.getButtons() & masks[i]) != 0 : sf::Mouse::isButtonPressed(button)) {
            // Polling has no event to take a location from: the pointer's
            // place in the window now.
            const sf::Vector2i where =
                snapshot ? sf::Vector2i(xinput.getPointerX(), xinput.getPointerY())
                         : sf::Mouse::getPosition(window);
            const int scale = DisplayManager::getInstance().getScale();
            events.push_back(InputEvent::mouse(MouseAction::HELD, toEngineButton(button),
                                               unscaled(where.x, scale), unscaled(where.y, scale)));
            return;
        }
    }
}

} // namespace qv
