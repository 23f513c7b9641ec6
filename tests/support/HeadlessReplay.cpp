#include "support/HeadlessReplay.h"

#include "qv/core/GameManager.h"
#include "qv/core/LogManager.h"
#include "qv/display/DisplayManager.h"
#include "qv/replay/ReplaySession.h"
#include "support/AnsiScreen.h"

#include "GameResources.h"
#include "GameStart.h"

#include <gtest/gtest.h>

namespace qvtest {

std::string replayHeadless(const std::string& path) {
    qv::ReplaySession& session = qv::ReplaySession::getInstance();
    EXPECT_EQ(session.startReplay(path), 0) << session.getError();
    qv::GameManager& game = qv::GameManager::getInstance();
    qv::LogManager& log = qv::LogManager::getInstance();
    game.setHeadless(true);
    EXPECT_EQ(game.startUp(), 0);
    log.setFlush(true);
    log.writeLog("Loading Sprites\n");
    loadGameResources();
    new GameStart;
    log.writeLog("Wave started\n");
    game.run();
    EXPECT_EQ(session.finish(), 0) << session.getFirstMismatch();
    EXPECT_EQ(session.getMismatches(), 0);
    EXPECT_TRUE(session.ranToEnd());
    const std::string screen = screenText(qv::DisplayManager::getInstance().getGrid());
    game.shutDown();
    return screen;
}

} // namespace qvtest
