#ifndef QV_DISPLAY_INPUTEVENT_H
#define QV_DISPLAY_INPUTEVENT_H

#include "qv/display/Keyboard.h"
#include "qv/display/Mouse.h"

namespace qv {

/// One keyboard or mouse event as an input source hands it over, before it
/// becomes an EventKeyboard or EventMouse; plain numbers, so a recording can
/// store it and a replay give it back unchanged.
struct InputEvent {
    /// Which device the event came from.
    enum class Kind {
        KEY,   ///< keyboard: action, code
        MOUSE, ///< mouse: action, code, x, y
    };

    /// A keyboard event.
    static InputEvent key(KeyboardAction action, Keyboard::Key key);
    /// A mouse event at a window pixel.
    static InputEvent mouse(MouseAction action, Mouse::Button button, int x, int y);

    /// Which device.
    Kind kind = Kind::KEY;
    /// KEY: a KeyboardAction; MOUSE: a MouseAction.
    int action = 0;
    /// KEY: a Keyboard::Key; MOUSE: a Mouse::Button.
    int code = 0;
    /// MOUSE: the pointer's column in window pixels.
    int x = 0;
    /// MOUSE: the pointer's row in window pixels.
    int y = 0;
};

} // namespace qv

#endif
