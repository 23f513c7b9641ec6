#ifndef QV_PLATFORM_DESKTOP_X11_STOPSIGNALS_H
#define QV_PLATFORM_DESKTOP_X11_STOPSIGNALS_H

namespace qv {

/// Turns SIGTERM, SIGINT and SIGHUP into a clean end of the game: the frame
/// loop finishes the frame it is in and returns, as when the game sets its
/// game-over flag, so a recording still gets its end record and the program
/// exits as after a normal end.
class StopSignals {
public:
    /// Installs the handlers and hands their flag to the game manager.
    /// 0 on success, -1 when a handler could not be installed.
    static int install();

    /// The last of the three signals received, or 0.
    static int received();
};

} // namespace qv

#endif
