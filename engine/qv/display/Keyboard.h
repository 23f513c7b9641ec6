#ifndef QV_DISPLAY_KEYBOARD_H
#define QV_DISPLAY_KEYBOARD_H

namespace qv {

/// What happened to a key.
enum class KeyboardAction : int {
    UNDEFINED = -1,
    PRESSED = 0,  ///< the key went down
    RELEASED = 1, ///< the key went up
    HELD = 2,     ///< the key was down when the keyboard was polled
};

namespace Keyboard {

/// The engine's key codes; keys not listed arrive as UNDEFINED.
enum Key : int {
    UNDEFINED = -1,
    SPACE = 0,
    ENTER,
    ESCAPE,
    TAB,
    LEFT_ARROW,
    RIGHT_ARROW,
    UP_ARROW,
    DOWN_ARROW,
    PAUSE,
    HYPHEN,
    EQUAL,
    TILDE,
    PERIOD,
    COMMA,
    SLASH,
    LEFT_CONTROL,
    RIGHT_CONTROL,
    LEFT_SHIFT,
    RIGHT_SHIFT,
    F1,
    F2,
    F3,
    F4,
    F5,
    F6,
    F7,
    F8,
    F9,
    F10,
    F11,
    F12,
    A,
    B,
    C,
    D,
    E,
    F,
    G,
    H,
    I,
    J,
    K,
    L,
    M,
    N,
    O,
    P,
    Q,
    R,
    S,
    T,
    U,
    V,
    W,
    X,
    Y,
    Z,
    NUM1,
    NUM2,
    NUM3,
    NUM4,
    NUM5,
    NUM6,
    NUM7,
    NUM8,
    NUM9,
    NUM0,
    /// Keys past NUM0 reach the game as UNDEFINED, as every key outside the
    /// table does; only a replay's viewer tells them apart.
    HOME,
    END,           ///< see HOME
    LEFT_BRACKET,  ///< see HOME
    RIGHT_BRACKET, ///< see HOME
    /// Not a key: a page's scrub bar asking a replay's viewer for the frame
    /// in the event's x.
    SEEK
};

} // namespace Keyboard
} // namespace qv

#endif
