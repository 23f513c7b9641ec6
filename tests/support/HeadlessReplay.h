#ifndef QV_TESTS_SUPPORT_HEADLESSREPLAY_H
#define QV_TESTS_SUPPORT_HEADLESSREPLAY_H

#include <string>

namespace qvtest {

/// Plays a replay file of the game headless to its end, as the game's main
/// does, expecting every checkpoint to match; the last frame as
/// screenText() gives it. The game is shut down afterwards.
std::string replayHeadless(const std::string& path);

} // namespace qvtest

#endif
