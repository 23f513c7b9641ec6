#ifndef QV_PLATFORM_TERMINAL_TERMINALPLATFORM_H
#define QV_PLATFORM_TERMINAL_TERMINALPLATFORM_H

namespace qv {

/// Chooses the terminal the program was started from for the next run, in
/// place of the window: the display's screen, whose input is the terminal's
/// keys and clicks. Call before the game manager starts.
class TerminalPlatform {
public:
    /// The terminal from the next start-up on.
    static void use();
};

} // namespace qv

#endif
