#ifndef QV_APP_GAMESETUP_H
#define QV_APP_GAMESETUP_H

#include <functional>
#include <string>

namespace qv {

/// What a game tells runGame() about itself. Every name left empty keeps the
/// engine's default.
struct GameSetup {
    /// The name that starts the program's messages and its usage text; the
    /// file name the program was started by when empty.
    std::string programName;
    /// The window's title ("Quorvel" when empty).
    std::string title;
    /// The log file's name ("quorvel.log" when empty).
    std::string logFile;
    /// Called once the engine has started: loads the game's resources and
    /// makes its first objects. Non-zero means the game cannot run.
    std::function<int()> start;
};

} // namespace qv

#endif
