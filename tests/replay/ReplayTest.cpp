// Replay files are read whole or refused at their first bad line with the
// reason; every input kept for the replay reader fuzzer goes through the
// reader too. Golden replays (tests/replays) play headless to the screen and
// log (.screen, .messages) committed beside them; QV_UPDATE_GOLDEN=1 rewrites
// those instead.
#include "qv/core/LogManager.h"
#include "qv/replay/ReplayReader.h"
#include "support/HeadlessReplay.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The records of an accepted text, written back: the text without its first line.
std::string rewritten(const qv::ReplayReader& reader) {
    std::string text;
    for (const qv::ReplayRecord& record : reader.getRecords()) {
        text += record.toLine() + '\n';
    }
    return text;
}

TEST(ReplayFiles, AreReadWholeOrRefusedWithTheFirstBadLineAndWhy) {
    const std::string v = "quorvel-replay 1\n";
    const std::string good = "K 0 0 15\nK 7 2 -1\nM 8 1 2 -5 900\nV 8 time 1700000000\n"
                             "C 30 4 0123456789abcdef 2 fedcba9876543210\n"
                             "E 31 4 0123456789abcdef 0 cbf29ce484222325\n";
    const std::pair<std::string, std::string> cases[] = {
        {v + good, ""},
        {v, ""},
        {"", "line 1: empty file"},
        {"quorvel-replay 0\n" + good, "line 1: replay version 0 is not supported"},
        {"quorvel-replay\n", "line 1: not a replay file"},
        {v + "K 1 0 3", "line 2: truncated"},
        {v + "K 1 0 3\nK 0 0 3\n", "line 3: frame 0 comes after frame 1"},
        {v + "K 1 5 3\n", "line 2: bad key action '5'"},
        {v + "K 1 0 90\n", "line 2: bad key '90'"},
        {v + "K 1 0  3\n", "line 2: 'K' record needs 3 fields"},
        {v + "M 1 0 0 -3 2x\n", "line 2: bad y '2x'"},
        {v + "K -1 0 3\n", "line 2: bad frame '-1'"},
        {v + "K 01 0 3\n", "line 2: bad frame '01'"},
        {v + "X 1\n", "line 2: unknown record 'X'"},
        {v + "V 2 Time 5\n", "line 2: bad value name 'Time'"},
        {v + "C 3 1 0123456789ABCDEF 2 0000000000000000\n", "line 2: bad digest"},
        {v + "K 1 0 3\r\n", "line 2: garbled"},
        {v + std::string("K 1 0\0 3\n", 9), "line 2: garbled"},
        {v + good + "K 40 0 1\n", "line 8: record after the end record"},
    };
    for (const auto& [text, error] : cases) {
        SCOPED_TRACE(text);
        qv::ReplayReader reader;
        EXPECT_EQ(reader.parse(text), error.empty() ? 0 : -1);
        EXPECT_EQ(reader.getError().substr(0, error.size()), error);
        if (error.empty()) {
            EXPECT_EQ(v + rewritten(reader), text);
        } else {
            EXPECT_TRUE(reader.getRecords().empty());
        }
    }
    qv::ReplayReader missing;
    EXPECT_EQ(missing.read("no/such.replay"), -1);
    EXPECT_EQ(missing.getError(), "line 1: cannot open: No such file or directory");

    int files = 0;
    for (const char* dir :
         {"tests/fuzz/replay-corpus", "tests/fuzz/replay-regressions", "tests/replays"}) {
        if (!fs::is_directory(qvtest::sourcePath(dir))) {
            continue;
        }
        for (const fs::directory_entry& entry : fs::directory_iterator(qvtest::sourcePath(dir))) {
            if (entry.path().extension() == ".screen" || entry.path().extension() == ".messages") {
                continue;
            }
            SCOPED_TRACE(entry.path().string());
            ++files;
            qv::ReplayReader reader;
            if (reader.read(entry.path().string()) == 0) {
                EXPECT_EQ(qvtest::readFile(entry.path().string()),
                          std::string(qv::ReplayRecord::VERSION_LINE) + "\n" + rewritten(reader));
            } else {
                EXPECT_EQ(reader.getError().rfind("line ", 0), 0u) << reader.getError();
            }
        }
    }
    EXPECT_GE(files, 10);
}

class GoldenReplay : public ::testing::TestWithParam<std::string> {};

std::vector<std::string> goldenNames() {
    std::vector<std::string> names;
    if (!fs::is_directory(qvtest::sourcePath("tests/replays"))) {
        return names;
    }
    for (const fs::directory_entry& entry :
         fs::directory_iterator(qvtest::sourcePath("tests/replays"))) {
        if (entry.path().extension() == ".replay") {
            names.push_back(entry.path().stem().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST_P(GoldenReplay, PlaysHeadlessToTheCommittedScreenAndLog) {
    const std::string base = qvtest::sourcePath("tests/replays/" + GetParam());
    const std::string screen = qvtest::replayHeadless(base + ".replay");
    const std::string logText =
        qvtest::withTimesMasked(qvtest::readFile(qv::LogManager::getInstance().fileName));
    if (std::getenv("QV_UPDATE_GOLDEN") != nullptr) {
        qvtest::writeFile(base + ".screen", screen);
        qvtest::writeFile(base + ".messages", logText);
        GTEST_SKIP() << "rewrote " << base << ".screen and .messages";
    }
    EXPECT_EQ(screen, qvtest::readFile(base + ".screen"));
    EXPECT_EQ(logText, qvtest::readFile(base + ".messages"));
}

INSTANTIATE_TEST_SUITE_P(Replays, GoldenReplay, ::testing::ValuesIn(goldenNames()),
                         [](const auto& info) {
                             std::string name = info.param;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

} // namespace
