// Replay files are read whole or refused at their first bad line with the
// reason; every input kept for the replay reader fuzzer goes through the
// reader too. Golden replays (tests/replays) play headless to the screen and
// log (.screen, .messages) committed beside them; QV_UPDATE_GOLDEN=1 rewrites
// those instead.
#include "qv/core/GameManager.h"
#include "qv/core/LogManager.h"
#include "qv/replay/ReplayReader.h"
#include "qv/replay/ReplaySession.h"
#include "qv/replay/ReplayWriter.h"
#include "qv/world/Object.h"
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

// A killed recording's last line may be cut short: the frame it belongs to
// is dropped (that of the last whole line when its own number is cut too).
TEST(ReplayFiles, AreReadWholeOrRefusedWithTheFirstBadLineAndWhy) {
    const std::string v = "quorvel-replay 1\n";
    const std::string good = "K 0 0 15\nK 7 2 -1\nM 8 1 2 -5 900\nV 8 time 1700000000\n"
                             "C 30 4 0123456789abcdef 2 fedcba9876543210\n"
                             "E 31 4 0123456789abcdef 0 cbf29ce484222325\n";
    const std::string whole = "K 1 0 3\nK 2 0 4\nK 2 1 4\n";
    const std::string object = "O 30 7 0123456789abcdef 4100000040400000 fedcba9876543210\n";
    struct Case {
        std::string text, error, kept = {};
        int lastFrame = -1, cutLine = 0;
    };
    const Case cases[] = {
        {v + good, "", good, 31, 0},
        {v, "", "", -1, 0},
        {v + whole + "K 3 0", "", whole, 2, 5},
        {v + whole + "K 2 0", "", "K 1 0 3\n", 1, 5},
        {v + whole + "C 1", "", "K 1 0 3\n", 1, 5},
        {v + "K 5 0 3\nM 7 2 1", "", "K 5 0 3\n", 6, 3},
        {v + "V", "", "", -1, 2},
        {"", "line 1: empty file"},
        {"quorvel-replay 0\n" + good, "line 1: replay version 0 is not supported"},
        {"quorvel-replay\n", "line 1: not a replay file"},
        {"quorvel-replay 1", "line 1: truncated"},
        {v + good + "K 40", "line 8: truncated"},
        {v + "K 3 0 3\nK 2 0", "line 3: frame 2 comes after frame 3"},
        {v + "K 3 0 3\nK 4\t", "line 3: garbled"},
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
        {"quorvel-replay 2\n" + object, "", object, 30, 0},
        {v + object, "line 2: 'O' records need version 2"},
        {"quorvel-replay 3\n", "line 1: replay version 3 is not supported"},
        {"quorvel-replay 2\nO 30 -1 0123 0 0\n", "line 2: bad digest"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        qv::ReplayReader reader;
        EXPECT_EQ(reader.parse(c.text), c.error.empty() ? 0 : -1);
        EXPECT_EQ(reader.getError().substr(0, c.error.size()), c.error);
        EXPECT_EQ(rewritten(reader), c.kept);
        EXPECT_EQ(reader.getLastFrame(), c.lastFrame);
        EXPECT_EQ(reader.getCutLine(), c.cutLine);
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
                // A file cut short keeps a prefix: the frames before the cut one.
                const std::string text = qvtest::readFile(entry.path().string());
                const std::string kept = text.substr(0, text.find('\n') + 1) + rewritten(reader);
                EXPECT_EQ(reader.getCutLine() == 0 ? text : text.substr(0, kept.size()), kept);
            } else {
                EXPECT_EQ(reader.getError().rfind("line ", 0), 0u) << reader.getError();
            }
        }
    }
    EXPECT_GE(files, 10);
}

// 30 mouse moves a frame, as sweeping the mouse writes them, up to a limit
// small enough to reach in a test; the end record no longer fits either.
TEST(ReplayFiles, TheWriterStopsAtTheReadersLimitWithEveryFrameWhole) {
    const std::size_t limit = 50000;
    qv::ReplayWriter writer;
    ASSERT_EQ(writer.open("capped.replay", limit), 0);
    int frame = 0;
    for (; !writer.isFull() && frame < 1000; ++frame) {
        for (int i = 0; i < 30; ++i) {
            writer.write(qv::ReplayRecord::mouse(2, -1, 500 + i, frame));
        }
        writer.flush();
    }
    qv::ReplayRecord end;
    end.kind = qv::ReplayRecord::END;
    writer.write(end);
    EXPECT_EQ(writer.close(), 0);
    const std::size_t size = qvtest::readFile("capped.replay").size();
    EXPECT_LE(size, limit);
    EXPECT_GT(size, limit - 30 * 20);
    qv::ReplayReader reader;
    ASSERT_EQ(reader.read("capped.replay", limit), 0) << reader.getError();
    EXPECT_EQ(reader.getRecords().size() % 30, 0u);
    EXPECT_EQ(reader.getRecords().back().kind, qv::ReplayRecord::MOUSE);
    EXPECT_EQ(reader.read("capped.replay", size - 1), -1);
}

// The recording keeps only a digest of each window's messages; a replay
// names the one it logged in addition.
TEST(ReplayChecks, NameTheLogMessageThatIsNew) {
    const std::string differs = "frame 30: the log since frame 0 differs ";
    const std::vector<std::pair<std::vector<const char*>, std::string>> cases = {
        {{"a\n", "b\n"}, ""},
        {{"a\n", "x y\n", "b\n"}, differs + "(3 messages, recorded 2): 'x y' is new"},
        {{"a\n", "b\n", "b\n"}, differs + "(3 messages, recorded 2): 'b' is new"},
        {{"b\n", "c\n", "a\n"}, differs + "(3 messages, recorded 2)"},
        {{"a\n"}, differs + "(1 messages, recorded 2): one recorded message is missing"},
    };
    qv::ReplaySession& session = qv::ReplaySession::getInstance();
    const auto play = [&session](const std::vector<const char*>& messages) {
        session.beginFrame();
        for (const char* text : messages) {
            qv::LogManager::getInstance().writeLog("%s", text);
        }
        while (session.beginFrame() < qv::ReplaySession::CHECKPOINT_FRAMES) {
        }
        session.finish();
    };
    for (const auto& [replayed, mismatch] : cases) {
        SCOPED_TRACE(mismatch);
        ASSERT_EQ(session.startRecording("log.replay"), 0);
        play(cases[0].first);
        ASSERT_EQ(session.startReplay("log.replay"), 0) << session.getError();
        play(replayed);
        EXPECT_EQ(session.getFirstMismatch(), mismatch);
    }
}

// A recording keeps every object at each checkpoint, so a replay names the
// first one that differs and how.
TEST(ReplayChecks, NameTheFirstObjectThatDiffers) {
    struct Object : qv::Object {
        Object(const char* type, float x) {
            setType(type);
            setPosition(qv::Vector(x, 3));
        }
    };
    using Objects = std::vector<std::pair<const char*, float>>;
    const std::string differs = "frame 0: the world differs ";
    const std::vector<std::pair<Objects, std::string>> cases = {
        {{{"Hero", 4}, {"Enemy", 9}}, ""},
        {{{"Hero", 4}, {"Enemy", 9.5f}},
         differs + "(2 objects, recorded 2): object 1 in the list (Enemy, id 1) is at (9.5, 3), "
                   "recorded at (9, 3)"},
        {{{"Hero", 4}, {"Wave", 9}},
         differs + "(2 objects, recorded 2): object 1 in the list (Wave, id 1) has another type "
                   "than the recorded one"},
        {{{"Hero", 4}},
         differs + "(1 objects, recorded 2): object 1 in the list (id 1) is missing"},
        {{{"Hero", 4}, {"Enemy", 9}, {"Enemy", 2}},
         differs + "(3 objects, recorded 2): object 2 in the list (Enemy, id 2) is new"},
    };
    qv::ReplaySession& session = qv::ReplaySession::getInstance();
    qv::GameManager& game = qv::GameManager::getInstance();
    game.setHeadless(true);
    const auto play = [&](const Objects& objects) {
        ASSERT_EQ(game.startUp(), 0);
        for (const auto& [type, x] : objects) {
            new Object(type, x);
        }
        game.beginRun();
        for (int frame = 0; frame <= qv::ReplaySession::CHECKPOINT_FRAMES; ++frame) {
            game.step();
        }
        session.stopReplay();
        session.finish();
        game.shutDown();
    };
    ASSERT_EQ(session.startRecording("objects.replay"), 0);
    play(cases[0].first);
    for (const auto& [replayed, mismatch] : cases) {
        SCOPED_TRACE(mismatch);
        ASSERT_EQ(session.startReplay("objects.replay"), 0) << session.getError();
        play(replayed);
        EXPECT_EQ(session.getFirstMismatch(), mismatch);
    }
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
