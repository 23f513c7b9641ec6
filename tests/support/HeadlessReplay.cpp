#include "support/HeadlessReplay.h"

#include "qv/app/RunGame.h"
#include "qv/display/DisplayManager.h"
#include "support/AnsiScreen.h"

#include "QuorvelSetup.h"

#include <gtest/gtest.h>

namespace qvtest {

std::string replayHeadless(const std::string& path) {
    // As the game's main runs it; a mismatch is reported on stderr.
    const char* argv[] = {"quorvel", "--replay", path.c_str(), "--headless", nullptr};
    EXPECT_EQ(qv::runGame(4, const_cast<char**>(argv), quorvelSetup()), 0);
    return screenText(qv::DisplayManager::getInstance().getGrid());
}

} // namespace qvtest
