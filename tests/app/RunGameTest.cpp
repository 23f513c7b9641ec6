// The entry point: what each command line prints, in the game's own name,
// and the exit status; the game's start is not called before a bad command
// line or replay is refused. Whole runs: the golden replays and tests/game.
#include "qv/app/RunGame.h"
#include "qv/core/LogManager.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(RunGame, AnswersEachCommandLineInTheGamesNameWithItsStatus) {
    const std::string golden = qvtest::sourcePath("tests/replays/play-and-quit.replay");
    int starts = 0;
    // Its setup fails, saying why in the log among other things.
    qv::GameSetup named{"tester", "", "tester.log", [&starts] {
                            qv::LogManager& log = qv::LogManager::getInstance();
                            log.writeLog("Loading level\n");
                            log.writeLog("level.txt: Error! Cannot open it\n");
                            log.writeLog("Level not loaded\n");
                            return ++starts;
                        }};
    const std::string version = std::string("tester (qv ") + qv::engineVersion() + ")\n";
    struct Case {
        std::vector<const char*> args;
        const char* program;
        int status;
        std::string out;
        std::string err; // how each begins, or all of it when it ends a line and out is ""
    };
    const Case cases[] = {
        {{"--help"}, "tester", 0, "usage: tester [", ""},
        {{"--version"}, "tester", 0, version, ""},
        {{"--nope"}, "tester", 2, "", "tester: unknown option: --nope\nusage: tester ["},
        {{"--scale", "5"},
         "tester",
         2,
         "",
         "tester: --scale needs a whole number from 1 to 4\nusage: tester ["},
        {{"--replay"}, "", 2, "", "tool: --replay needs a file name\nusage: tool ["},
        {{"--replay", "missing.replay", "--headless"}, "tester", 2, "", "tester: missing.replay: "},
        // The log's first failure follows; a replay the game never ran is not judged.
        {{"--replay", golden.c_str(), "--headless"},
         "tester",
         1,
         "",
         "tester: cannot start: the game's setup failed; tester.log says why\n"
         "tester: level.txt: Error! Cannot open it\n"},
    };
    for (const Case& c : cases) {
        std::vector<const char*> argv = {"./bin/tool"};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        argv.push_back(nullptr);
        named.programName = c.program;
        const qvtest::Captured got = qvtest::capture([&] {
            return qv::runGame(static_cast<int>(argv.size()) - 1, const_cast<char**>(argv.data()),
                               named);
        });
        EXPECT_EQ(got.result, c.status) << c.args[0] << got.err;
        EXPECT_EQ(got.out.substr(0, c.out.size()), c.out) << c.args[0];
        EXPECT_EQ(got.err.substr(0, c.err.size()), c.err) << c.args[0];
        EXPECT_EQ(got.err.empty(), c.err.empty()) << c.args[0] << got.err;
        if (c.out.empty() && !c.err.empty() && c.err.back() == '\n') {
            EXPECT_EQ(got.out + got.err, c.err) << c.args[0];
        }
    }
    EXPECT_EQ(starts, 1);
    EXPECT_NE(qvtest::readFile("tester.log"), "");
}

} // namespace
