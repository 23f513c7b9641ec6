#ifndef QV_PLATFORM_TERMINAL_TERMINALREADER_H
#define QV_PLATFORM_TERMINAL_TERMINALREADER_H

#include "qv/display/InputEvent.h"

#include <cstddef>
#include <string>
#include <vector>

namespace qv {

/// Turns the bytes a terminal sends into the engine's keyboard and mouse
/// events: plain characters and the classic escape sequences, the keyboard
/// protocol with event types (CSI code;mods:type u) and SGR mouse reports.
/// A sequence cut between two reads waits for the rest.
class TerminalReader {
public:
    /// Reads size bytes and appends the events they complete. Key presses of
    /// the classic encodings come out PRESSED; the protocol's press, repeat
    /// and release come out PRESSED, HELD and RELEASED; mouse button presses
    /// CLICKED and drags MOVED, at the window pixel of the cell's centre.
    void feed(const char* bytes, std::size_t size, std::vector<InputEvent>& events);

    /// Called when no more bytes came: a lone escape byte still waiting is
    /// the Escape key after all.
    void expire(std::vector<InputEvent>& events);

    /// Whether bytes of an unfinished sequence are waiting.
    bool isWaiting() const;

    /// Whether the terminal has shown it reports key releases (it answered
    /// the protocol query or sent an event type).
    bool reportsReleases() const;

    /// The mouse button held down, UNDEFINED when none.
    Mouse::Button getHeldButton() const;
    /// The window pixel of the last mouse report.
    int getMouseX() const;
    /// The window pixel row of the last mouse report.
    int getMouseY() const;

    /// Set by Ctrl-C under the protocol, which then arrives as a key rather
    /// than as a signal; cleared by reading it.
    bool takeInterrupt();

private:
    /// Reads one sequence at the start of pending: the bytes it took, or 0
    /// when it is not complete yet.
    std::size_t readOne(std::size_t start, std::vector<InputEvent>& events);
    std::size_t readControl(std::size_t start, std::vector<InputEvent>& events);
    void protocolKey(int code, int modifiers, int type, std::vector<InputEvent>& events);
    void mouseReport(int button, int column, int row, bool released,
                     std::vector<InputEvent>& events);

    std::string pending;
    bool releases = false;
    bool interrupt = false;
    Mouse::Button held = Mouse::UNDEFINED;
    int mouseX = 0;
    int mouseY = 0;
};

} // namespace qv

#endif
