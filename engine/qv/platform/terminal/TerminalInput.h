#ifndef QV_PLATFORM_TERMINAL_TERMINALINPUT_H
#define QV_PLATFORM_TERMINAL_TERMINALINPUT_H

#include "qv/display/InputSource.h"
#include "qv/platform/terminal/HeldKeys.h"
#include "qv/platform/terminal/TerminalReader.h"
#include "qv/platform/terminal/TerminalSession.h"

#include <memory>

namespace qv {

/// Keys and clicks from the terminal a game plays in: what arrived since the
/// last frame, then the first key held and the mouse button held, as a
/// window's polling gives them.
class TerminalInput : public InputSource {
public:
    /// Reads from session's terminal once it is open.
    explicit TerminalInput(std::shared_ptr<TerminalSession> session);

    /// Reads what the terminal sent without waiting. Ctrl-C, which the
    /// keyboard protocol sends as a key, ends the program as its signal
    /// would.
    void collect(std::vector<InputEvent>& events) override;

private:
    std::shared_ptr<TerminalSession> session;
    TerminalReader reader;
    HeldKeys held;
    std::vector<InputEvent> read;
};

} // namespace qv

#endif
