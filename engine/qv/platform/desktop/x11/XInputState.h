#ifndef QV_PLATFORM_DESKTOP_X11_XINPUTSTATE_H
#define QV_PLATFORM_DESKTOP_X11_XINPUTSTATE_H

struct xcb_connection_t;

namespace qv {

/// The X server's keyboard, pointer and focus, asked over a connection of its
/// own. The three questions go out together in askAhead(), and take() reads
/// their answers, which came in meanwhile: a frame waits for the server only
/// when nothing was asked before it, where asking SFML about each key and
/// button waits once per key, every frame.
class XInputState {
public:
    /// Pointer buttons as getButtons() reports them.
    static constexpr unsigned int LEFT_BUTTON = 1u << 0;
    /// See LEFT_BUTTON.
    static constexpr unsigned int MIDDLE_BUTTON = 1u << 1;
    /// See LEFT_BUTTON.
    static constexpr unsigned int RIGHT_BUTTON = 1u << 2;

    /// Connects to the display named by DISPLAY; when it does not answer,
    /// keycodesOf() and take() return false.
    XInputState();
    /// Disconnects.
    ~XInputState();

    XInputState(const XInputState&) = delete;
    XInputState& operator=(const XInputState&) = delete;

    /// The X key code of each of count keysyms, into keycodes (0 for a
    /// keysym no key of the keyboard makes).
    bool keycodesOf(const unsigned long* keysyms, int count, unsigned char* keycodes) const;

    /// Asks about window (an X window id) for the next take(), unless that
    /// is asked already; does not wait for the answer.
    void askAhead(unsigned long window);

    /// Takes the keys down, the buttons down, the pointer's place relative
    /// to window and whether window has the keyboard focus, as they were
    /// when last asked (asking now, and waiting, when that was not about
    /// window).
    bool take(unsigned long window);

    /// Drops the question in flight: the next take() asks afresh.
    void forget();

    /// Whether the key was down when last taken.
    bool isKeyDown(unsigned char keycode) const;
    /// The buttons down when last taken (LEFT_BUTTON and the like).
    unsigned int getButtons() const;
    /// The pointer's column relative to the window when last taken.
    int getPointerX() const;
    /// The pointer's row relative to the window when last taken.
    int getPointerY() const;
    /// Whether the window had the keyboard focus when last taken.
    bool isFocused() const;

private:
    void ask(unsigned long window);

    xcb_connection_t* connection;
    // The questions in flight, if asked, about askedWindow: their sequence
    // numbers.
    bool asked;
    unsigned long askedWindow;
    unsigned int keymapAsked;
    unsigned int pointerAsked;
    unsigned int focusAsked;
    // One bit per X key code.
    unsigned char keys[32];
    unsigned int buttons;
    int pointerX;
    int pointerY;
    bool focused;
};

} // namespace qv

#endif
