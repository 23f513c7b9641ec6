#ifndef QV_PLATFORM_DESKTOP_XINPUTSTATE_H
#define QV_PLATFORM_DESKTOP_XINPUTSTATE_H

struct _XDisplay;

namespace qv {

/// The X server's keyboard and pointer, asked over a connection of its own:
/// one look at the whole keymap answers for every key, one at the pointer
/// for every button, where asking per key is a round trip each.
class XInputState {
public:
    /// Pointer buttons as pointer() reports them.
    static constexpr unsigned int LEFT_BUTTON = 1u << 0;
    /// See LEFT_BUTTON.
    static constexpr unsigned int MIDDLE_BUTTON = 1u << 1;
    /// See LEFT_BUTTON.
    static constexpr unsigned int RIGHT_BUTTON = 1u << 2;

    /// Connects to the display named by DISPLAY; when it does not answer,
    /// every query below returns false.
    XInputState();
    /// Disconnects.
    ~XInputState();

    XInputState(const XInputState&) = delete;
    XInputState& operator=(const XInputState&) = delete;

    /// The X key code of each of count keysyms, into keycodes (0 for a
    /// keysym no key of the keyboard makes).
    bool keycodesOf(const unsigned long* keysyms, int count, unsigned char* keycodes) const;

    /// Takes the keymap: which keys are down now.
    bool takeKeymap();

    /// Whether the key was down in the last keymap taken.
    bool isKeyDown(unsigned char keycode) const;

    /// The buttons down now (LEFT_BUTTON and the like) and the pointer's
    /// place relative to window (an X window id).
    bool pointer(unsigned long window, unsigned int& buttons, int& x, int& y) const;

    /// Sets focused to whether window (an X window id) has the keyboard focus.
    bool keyboardFocus(unsigned long window, bool& focused) const;

private:
    _XDisplay* display;
    // One bit per X key code.
    unsigned char keys[32];
};

} // namespace qv

#endif
