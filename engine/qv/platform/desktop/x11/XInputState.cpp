#include "qv/platform/desktop/x11/XInputState.h"

#include <X11/Xlib.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace qv {

XInputState::XInputState()
    : connection(xcb_connect(nullptr, nullptr)), asked(false), askedWindow(0), keymapAsked(0),
      pointerAsked(0), focusAsked(0), keys{}, buttons(0), pointerX(0), pointerY(0), focused(false) {
    if (xcb_connection_has_error(connection) != 0) {
        xcb_disconnect(connection);
        connection = nullptr;
    }
}

XInputState::~XInputState() {
    if (connection != nullptr) {
        xcb_disconnect(connection);
    }
}

bool XInputState::keycodesOf(const unsigned long* keysyms, int count,
                             unsigned char* keycodes) const {
    if (connection == nullptr) {
        return false;
    }
    // Xlib's lookup, asked once: the same key codes SFML finds for its keys.
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        return false;
    }
    for (int i = 0; i < count; ++i) {
        keycodes[i] = XKeysymToKeycode(display, keysyms[i]);
    }
    XCloseDisplay(display);
    return true;
}

void XInputState::ask(unsigned long window) {
    keymapAsked = xcb_query_keymap(connection).sequence;
    pointerAsked = xcb_query_pointer(connection, static_cast<xcb_window_t>(window)).sequence;
    focusAsked = xcb_get_input_focus(connection).sequence;
    xcb_flush(connection);
    asked = true;
    askedWindow = window;
}

void XInputState::askAhead(unsigned long window) {
    if (connection != nullptr && !(asked && askedWindow == window)) {
        forget();
        ask(window);
    }
}

void XInputState::forget() {
    if (asked) {
        xcb_discard_reply(connection, keymapAsked);
        xcb_discard_reply(connection, pointerAsked);
        xcb_discard_reply(connection, focusAsked);
        asked = false;
    }
}

bool XInputState::take(unsigned long window) {
    if (connection == nullptr) {
        return false;
    }
    if (!asked || askedWindow != window) {
        forget();
        ask(window);
    }
    xcb_query_keymap_reply_t* keymap =
        xcb_query_keymap_reply(connection, xcb_query_keymap_cookie_t{keymapAsked}, nullptr);
    xcb_query_pointer_reply_t* pointer =
        xcb_query_pointer_reply(connection, xcb_query_pointer_cookie_t{pointerAsked}, nullptr);
    xcb_get_input_focus_reply_t* focus =
        xcb_get_input_focus_reply(connection, xcb_get_input_focus_cookie_t{focusAsked}, nullptr);
    asked = false;
    const bool answered = keymap != nullptr && pointer != nullptr && focus != nullptr;
    if (answered) {
        std::memcpy(keys, keymap->keys, sizeof keys);
        buttons = ((pointer->mask & XCB_BUTTON_MASK_1) != 0 ? LEFT_BUTTON : 0) |
                  ((pointer->mask & XCB_BUTTON_MASK_2) != 0 ? MIDDLE_BUTTON : 0) |
                  ((pointer->mask & XCB_BUTTON_MASK_3) != 0 ? RIGHT_BUTTON : 0);
        pointerX = pointer->win_x;
        pointerY = pointer->win_y;
        focused = focus->focus == window;
    }
    std::free(keymap);
    std::free(pointer);
    std::free(focus);
    return answered;
}

bool XInputState::isKeyDown(unsigned char keycode) const {
    return (keys[keycode / 8] & (1u << (keycode % 8))) != 0;
}

unsigned int XInputState::getButtons() const {
    return buttons;
}

int XInputState::getPointerX() const {
    return pointerX;
}

int XInputState::getPointerY() const {
    return pointerY;
}

bool XInputState::isFocused() const {
    return focused;
}

} // namespace qv
