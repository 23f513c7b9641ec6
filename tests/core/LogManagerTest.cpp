// The log file: its prefix and layout, flushing, truncation at start-up, its
// name, and writing when no file could be opened.
#include "qv/core/LogManager.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <sys/stat.h>

namespace {

TEST(LogFile, PrefixesFlushesOnAskTruncatesAtStartUpAndFailsWithoutAFile) {
    qv::LogManager& log = qv::LogManager::getInstance();
    const auto text = [] { return qvtest::withTimesMasked(qvtest::readFile("quorvel.log")); };
    EXPECT_LT(log.writeLog("before start-up\n"), 0);
    log.startUp();
    log.writeLog("unflushed\n");
    EXPECT_EQ(text(), "");
    log.setFlush(true);
    EXPECT_EQ(log.writeLog("Loading Sprites\n"), 16);
    EXPECT_EQ(log.writeLog("a"), 1);
    EXPECT_EQ(log.writeLog("%s %d\n", "b", 42), 5);
    // No line break is added: "a" runs on into the next time stamp. Whole logs: the golden replays.
    EXPECT_EQ(text(), "HH:MM:SS Message: unflushed\nHH:MM:SS Message: Loading Sprites\n"
                      "HH:MM:SS Message: aHH:MM:SS Message: b 42\n");
    log.shutDown();
    EXPECT_LT(log.writeLog("after shutdown\n"), 0);
    log.startUp();
    log.writeLog("second run\n");
    EXPECT_EQ(text(), "HH:MM:SS Message: second run\n");
    log.shutDown();

    // A directory where the log file goes makes the open fail, even for root
    // (each test process has a directory of its own).
    log.setFileName("elsewhere.log");
    ASSERT_EQ(mkdir("elsewhere.log", 0700), 0);
    EXPECT_EQ(log.startUp(), 0);
    EXPECT_LT(log.writeLog("nowhere to go %d\n", 1), 0);
    log.shutDown();
}

} // namespace
