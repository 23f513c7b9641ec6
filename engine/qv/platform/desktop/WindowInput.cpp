#include "qv/platform/desktop/WindowInput.h"

#include "qv/core/GameManager.h"
#include "qv/display/DisplayManager.h"
#include "qv/replay/ReplaySession.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Window/Event.hpp>
#include <X11/keysym.h>

#include <algorithm>
#include <iterator>

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

// Held buttons are asked about in this order, and only the first one found
// down is reported.
constexpr sf::Mouse::Button HELD_BUTTONS[] = {sf::Mouse::Left, sf::Mouse::Right, sf::Mouse::Middle};

unsigned int maskOf(sf::Mouse::Button button) {
    switch (button) {
    case sf::Mouse::Left:
        return XInputState::LEFT_BUTTON;
    case sf::Mouse::Right:
        return XInputState::RIGHT_BUTTON;
    default:
        return XInputState::MIDDLE_BUTTON;
    }
}

} // namespace

Keyboard::Key WindowInput::toEngineKey(sf::Keyboard::Key key) {
    for (const KeyPair& pair : KEYS) {
        if (pair.sfml == key) {
            return pair.engine;
        }
    }
    return Keyboard::UNDEFINED;
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

WindowInput::WindowInput()
    : keycodes{}, haveKeycodes(false), keyChanges{}, buttonChanges{}, focusChange(0), moved(false),
      pointerX(0), pointerY(0) {
    static_assert(sizeof keycodes == KEY_COUNT && sizeof keyChanges == KEY_COUNT,
                  "one entry per polled key");
    unsigned long keysyms[KEY_COUNT];
    for (std::size_t i = 0; i < KEY_COUNT; ++i) {
        keysyms[i] = KEYS[i].keysym;
    }
    haveKeycodes = xinput.keycodesOf(keysyms, static_cast<int>(KEY_COUNT), keycodes);
}

void WindowInput::pollWindow(sf::Window& window, std::vector<InputEvent>& events) {
    std::fill(std::begin(keyChanges), std::end(keyChanges), 0);
    std::fill(std::begin(buttonChanges), std::end(buttonChanges), 0);
    focusChange = 0;
    moved = false;
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
            events.push_back(InputEvent::mouse(MouseAction::CLICKED,
                                               toEngineButton(event.mouseButton.button),
                                               event.mouseButton.x, event.mouseButton.y));
            break;
        case sf::Event::MouseButtonReleased:
            noteButton(event.mouseButton.button, -1, event.mouseButton.x, event.mouseButton.y);
            break;
        case sf::Event::MouseMoved:
            moved = true;
            pointerX = event.mouseMove.x;
            pointerY = event.mouseMove.y;
            events.push_back(InputEvent::mouse(MouseAction::MOVED, Mouse::UNDEFINED,
                                               event.mouseMove.x, event.mouseMove.y));
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

    // Held keys and buttons are the X server's, whichever window they were
    // meant for: they are the game's only while its window has the focus.
    // The server's answer, asked for once the last frame was shown, covers
    // every key and button without waiting for it; the window's events
    // since then say what changed. Without it SFML is asked about each.
    const bool snapshot = haveKeycodes && xinput.take(window->getSystemHandle());
    const bool focused = !snapshot          ? window->hasFocus()
                         : focusChange != 0 ? focusChange > 0
                                            : xinput.isFocused();
    if (focused) {
        collectHeldKey(snapshot, events);
        collectHeldButton(snapshot, *window, events);
    }
}

void WindowInput::frameShown() {
    sf::RenderWindow* window = DisplayManager::getInstance().getWindow();
    if (window != nullptr && haveKeycodes) {
        xinput.askAhead(window->getSystemHandle());
    }
}

void WindowInput::skip() {
    xinput.forget();
    sf::RenderWindow* window = DisplayManager::getInstance().getWindow();
    if (window != nullptr) {
        skipped.clear();
        pollWindow(*window, skipped);
    }
}

void WindowInput::collectHeldKey(bool snapshot, std::vector<InputEvent>& events) const {
    for (std::size_t i = 0; i < KEY_COUNT; ++i) {
        const bool down = !snapshot            ? sf::Keyboard::isKeyPressed(KEYS[i].sfml)
                          : keyChanges[i] != 0 ? keyChanges[i] > 0
                                               : keycodes[i] != 0 && xinput.isKeyDown(keycodes[i]);
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
                                        : (xinput.getButtons() & maskOf(button)) != 0;
        if (down) {
            // Polling has no event to take a location from: the pointer's
            // place in the window, as last heard of.
            const sf::Vector2i where =
                !snapshot ? sf::Mouse::getPosition(window)
                : moved   ? sf::Vector2i(pointerX, pointerY)
                          : sf::Vector2i(xinput.getPointerX(), xinput.getPointerY());
            events.push_back(
                InputEvent::mouse(MouseAction::HELD, toEngineButton(button), where.x, where.y));
            return;
        }
    }
}

} // namespace qv
