#ifndef QV_APP_RUNGAME_H
#define QV_APP_RUNGAME_H

#include "qv/app/GameSetup.h"

namespace qv {

/// A whole qv program: call it from main() and return what it returns.
/// Reads the engine's options (CommandLine), starts a recording or a replay,
/// starts the engine, calls setup.start, runs the frame loop, prints the
/// statistics asked for, finishes the recording or replay and shuts the
/// engine down. Exit statuses: 0 when all went well (and --help,
/// --version); 1 when the engine or the game could not start, a replay
/// differed from its recording or a recording could not be written, each
/// with one line on standard error; 2 for a bad command line or a replay or
/// recording file that cannot be used, before any window opens.
int runGame(int argc, char** argv, const GameSetup& setup);

/// The engine's version, "major.minor".
const char* engineVersion();

} // namespace qv

#endif
