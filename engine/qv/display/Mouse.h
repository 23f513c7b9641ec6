#ifndef QV_DISPLAY_MOUSE_H
#define QV_DISPLAY_MOUSE_H

namespace qv {

/// What happened to the mouse.
enum class MouseAction : int {
    UNDEFINED = -1,
    CLICKED = 0, ///< a button went down
    HELD = 1,    ///< a button was down when the mouse was polled
    MOVED = 2,   ///< the pointer moved
};

namespace Mouse {

/// The engine's mouse buttons; extra buttons arrive as UNDEFINED.
enum Button : int {
    UNDEFINED = -1,
    LEFT = 0,
    RIGHT = 1,
    MIDDLE = 2,
};

} // namespace Mouse
} // namespace qv

#endif
