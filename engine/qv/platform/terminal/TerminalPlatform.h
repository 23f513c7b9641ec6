#ifndef QV_PLATFORM_TERMINAL_TERMINALPLATFORM_H
#define QV_PLATFORM_TERMINAL_TERMINALPLATFORM_H

namespace qv {

/// Chooses the terminal the program was started from for the next run, in
/// place of the window: the display's screen and, unless a replay supplies
/// the input, the input source. Call before the game manager starts.
class TerminalPlatform {
public:
    /// takeInput: read keys and clicks from the terminal.
    static void use(bool takeInput);
};

} // namespace qv

#endif
