#ifndef QV_PLATFORM_DESKTOP_WIN32_CONSOLESTOP_H
#define QV_PLATFORM_DESKTOP_WIN32_CONSOLESTOP_H

namespace qv {

/// Turns Ctrl-C, Ctrl-Break and closing the console (or logging off, or
/// shutting down) into a clean end of the game: the frame loop finishes the
/// frame it is in and returns, so a recording still gets its end record.
class ConsoleStop {
public:
    /// Installs the handler and hands its flag to the game manager. 0 on
    /// success, -1 when Windows refuses the handler.
    static int install();

    /// 1 plus the last console event received (CTRL_C_EVENT and the like),
    /// or 0.
    static int received();
};

} // namespace qv

#endif
