#ifndef QV_BENCH_FAKEINPUT_H
#define QV_BENCH_FAKEINPUT_H

// Real key presses and mouse clicks for a program that drives the game from
// inside its own loop: the X server's XTest extension makes them, so they
// reach the game's window and the engine's input polling exactly as a
// player's would. libX11 and libXtst are loaded at run time, so building
// needs neither the XTest headers nor a link dependency.

#include <string>

namespace qvbench {

class FakeInput {
public:
    FakeInput() = default;
    ~FakeInput();

    FakeInput(const FakeInput&) = delete;
    FakeInput& operator=(const FakeInput&) = delete;

    /// Connects to $DISPLAY and aims at the given X window (the game's).
    /// False, with the reason in error(), when the libraries, the XTest
    /// extension or the display are missing.
    bool open(unsigned long window);

    /// Why open() failed.
    const std::string& error() const { return why; }

    /// Puts the pointer over the window at (x, y) pixels and gives the
    /// window the keyboard focus.
    void focus(int x, int y);

    /// Presses or releases the key of an X keysym (XK_a, XK_Escape, ...).
    void key(unsigned long keysym, bool down);

    /// Presses or releases pointer button 1 (left), 2 or 3.
    void button(unsigned int number, bool down);

    /// Presses actually sent so far (a key already down is not pressed again).
    long keyPresses() const { return keyCount; }
    long buttonPresses() const { return buttonCount; }

    /// Releases every key and button this object pressed and has not
    /// released.
    void releaseAll();

private:
    struct Api;

    // Waits until the server has acted on everything sent, so the game's
    // next poll of the keyboard already sees it.
    void sync();

    Api* api = nullptr;
    void* x11 = nullptr;
    void* xtst = nullptr;
    void* display = nullptr;
    unsigned long target = 0;
    std::string why;
    unsigned long keysDown[8] = {};
    int keysDownCount = 0;
    unsigned int buttonsDown = 0;
    long keyCount = 0;
    long buttonCount = 0;
};

} // namespace qvbench

#endif
