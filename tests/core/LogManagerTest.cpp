// The log file: its prefix and layout, flushing, truncation at start-up, its
// name, and writing when no file could be opened.
#include "qv/core/LogManager.h"
#include "support/TestSupport.h"

#include <SFML/System/Err.hpp>
#include <gtest/gtest.h>

#include <atomic>
#include <regex>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <thread>

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

// SFML reports from its audio thread while the game logs on the main one.
TEST(LogFile, ReportsFromAnotherThreadStayWholeAndHideNoMessageFromTheObserver) {
    qv::LogManager& log = qv::LogManager::getInstance();
    log.setFileName(qv::LogManager::fileName);
    log.startUp();
    int heard = 0;
    log.setObserver([](const char*, void* count) { ++*static_cast<int*>(count); }, &heard);
    constexpr int EACH = 50000;
    std::atomic<bool> reporting(false);
    std::thread audio([&reporting] {
        for (int i = 0; i < EACH; ++i) {
            sf::err() << "AL lib: report " << i << std::endl;
            reporting = true;
        }
    });
    while (!reporting) {
    }
    for (int i = 0; i < EACH; ++i) {
        log.writeLog("game %d\n", i);
    }
    audio.join();
    log.setObserver(nullptr, nullptr);
    log.shutDown();
    EXPECT_EQ(heard, EACH);
    std::istringstream lines(qvtest::readFile(qv::LogManager::fileName));
    const std::regex whole("\\d\\d:\\d\\d:\\d\\d Message: (game|AL lib: report) \\d+");
    int count = 0;
    for (std::string line; std::getline(lines, line); ++count) {
        ASSERT_TRUE(std::regex_match(line, whole)) << "line " << count << ": " << line;
    }
    EXPECT_EQ(count, 2 * EACH);
}

} // namespace
