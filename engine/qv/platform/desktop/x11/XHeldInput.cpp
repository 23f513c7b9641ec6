#include "qv/platform/desktop/x11/XHeldInput.h"

#include <X11/keysym.h>

#include <cstddef>

namespace qv {

namespace {

struct KeySym {
    sf::Keyboard::Key key;
    // What the key makes on an X keyboard, to find its key code.
    unsigned long keysym;
};

// The keys the window's input polls.
constexpr KeySym KEYSYMS[] = {
    {sf::Keyboard::A, XK_a},
    {sf::Keyboard::B, XK_b},
    {sf::Keyboard::C, XK_c},
    {sf::Keyboard::D, XK_d},
    {sf::Keyboard::E, XK_e},
    {sf::Keyboard::F, XK_f},
    {sf::Keyboard::G, XK_g},
    {sf::Keyboard::H, XK_h},
    {sf::Keyboard::I, XK_i},
    {sf::Keyboard::J, XK_j},
    {sf::Keyboard::K, XK_k},
    {sf::Keyboard::L, XK_l},
    {sf::Keyboard::M, XK_m},
    {sf::Keyboard::N, XK_n},
    {sf::Keyboard::O, XK_o},
    {sf::Keyboard::P, XK_p},
    {sf::Keyboard::Q, XK_q},
    {sf::Keyboard::R, XK_r},
    {sf::Keyboard::S, XK_s},
    {sf::Keyboard::T, XK_t},
    {sf::Keyboard::U, XK_u},
    {sf::Keyboard::V, XK_v},
    {sf::Keyboard::W, XK_w},
    {sf::Keyboard::X, XK_x},
    {sf::Keyboard::Y, XK_y},
    {sf::Keyboard::Z, XK_z},
    {sf::Keyboard::Space, XK_space},
    {sf::Keyboard::Enter, XK_Return},
    {sf::Keyboard::Escape, XK_Escape},
    {sf::Keyboard::Tab, XK_Tab},
    {sf::Keyboard::Left, XK_Left},
    {sf::Keyboard::Right, XK_Right},
    {sf::Keyboard::Up, XK_Up},
    {sf::Keyboard::Down, XK_Down},
    {sf::Keyboard::Pause, XK_Pause},
    {sf::Keyboard::Hyphen, XK_minus},
    {sf::Keyboard::Equal, XK_equal},
    {sf::Keyboard::Tilde, XK_grave},
    {sf::Keyboard::Period, XK_period},
    {sf::Keyboard::Comma, XK_comma},
    {sf::Keyboard::Slash, XK_slash},
    {sf::Keyboard::LControl, XK_Control_L},
    {sf::Keyboard::RControl, XK_Control_R},
    {sf::Keyboard::LShift, XK_Shift_L},
    {sf::Keyboard::RShift, XK_Shift_R},
    {sf::Keyboard::F1, XK_F1},
    {sf::Keyboard::F2, XK_F2},
    {sf::Keyboard::F3, XK_F3},
    {sf::Keyboard::F4, XK_F4},
    {sf::Keyboard::F5, XK_F5},
    {sf::Keyboard::F6, XK_F6},
    {sf::Keyboard::F7, XK_F7},
    {sf::Keyboard::F8, XK_F8},
    {sf::Keyboard::F9, XK_F9},
    {sf::Keyboard::F10, XK_F10},
    {sf::Keyboard::F11, XK_F11},
    {sf::Keyboard::F12, XK_F12},
    {sf::Keyboard::Num1, XK_1},
    {sf::Keyboard::Num2, XK_2},
    {sf::Keyboard::Num3, XK_3},
    {sf::Keyboard::Num4, XK_4},
    {sf::Keyboard::Num5, XK_5},
    {sf::Keyboard::Num6, XK_6},
    {sf::Keyboard::Num7, XK_7},
    {sf::Keyboard::Num8, XK_8},
    {sf::Keyboard::Num9, XK_9},
    {sf::Keyboard::Num0, XK_0},
};

constexpr std::size_t KEYSYM_COUNT = sizeof KEYSYMS / sizeof KEYSYMS[0];

} // namespace

XHeldInput::XHeldInput() : keycodes{}, haveKeycodes(false) {
    unsigned long keysyms[KEYSYM_COUNT];
    for (std::size_t i = 0; i < KEYSYM_COUNT; ++i) {
        keysyms[i] = KEYSYMS[i].keysym;
    }
    unsigned char found[KEYSYM_COUNT];
    haveKeycodes = xinput.keycodesOf(keysyms, static_cast<int>(KEYSYM_COUNT), found);
    if (haveKeycodes) {
        for (std::size_t i = 0; i < KEYSYM_COUNT; ++i) {
            keycodes[KEYSYMS[i].key] = found[i];
        }
    }
}

void XHeldInput::askAhead(const sf::Window& window) {
    if (haveKeycodes) {
        xinput.askAhead(window.getSystemHandle());
    }
}

bool XHeldInput::take(const sf::Window& window) {
    return haveKeycodes && xinput.take(window.getSystemHandle());
}

bool XHeldInput::isFocused() const {
    return xinput.isFocused();
}

bool XHeldInput::isKeyDown(sf::Keyboard::Key key) const {
    if (key < 0 || key >= sf::Keyboard::KeyCount) {
        return false;
    }
    const unsigned char keycode = keycodes[key];
    return keycode != 0 && xinput.isKeyDown(keycode);
}

bool XHeldInput::isButtonDown(sf::Mouse::Button button) const {
    switch (button) {
    case sf::Mouse::Left:
        return (xinput.getButtons() & XInputState::LEFT_BUTTON) != 0;
    case sf::Mouse::Right:
        return (xinput.getButtons() & XInputState::RIGHT_BUTTON) != 0;
    case sf::Mouse::Middle:
        return (xinput.getButtons() & XInputState::MIDDLE_BUTTON) != 0;
    default:
        return false;
    }
}

sf::Vector2i XHeldInput::getPointer() const {
    return sf::Vector2i(xinput.getPointerX(), xinput.getPointerY());
}

std::unique_ptr<HeldInput> makeHeldInput() {
    return std::make_unique<XHeldInput>();
}

} // namespace qv
