// The entry point: what each command line prints, in the game's own name,
// and the exit status; nothing of the game starts before a bad command line
// or replay is refused. Whole runs: the golden replays and tests/game.
#include "qv/app/RunGame.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome run(std::vector<const char*> args, const qv::GameSetup& setup) {
    std::fflush(nullptr);
    const int savedOut = dup(1);
    const int savedErr = dup(2);
    std::FILE* out = std::fopen("out.txt", "w");
    std::FILE* err = std::fopen("err.txt", "w");
    dup2(fileno(out), 1);
    dup2(fileno(err), 2);
    args.insert(args.begin(), "./bin/tool");
    args.push_back(nullptr);
    const int status =
        qv::runGame(static_cast<int>(args.size()) - 1, const_cast<char**>(args.data()), setup);
    std::fflush(nullptr);
    dup2(savedOut, 1);
    dup2(savedErr, 2);
    std::fclose(out);
    std::fclose(err);
    return {status, qvtest::readFile("out.txt"), qvtest::readFile("err.txt")};
}

TEST(RunGame, AnswersEachCommandLineInTheGamesNameWithItsStatus) {
    const std::string golden = qvtest::sourcePath("tests/replays/game-over.replay");
    int starts = 0;
    qv::GameSetup named;
    named.programName = "tester";
    named.logFile = "tester.log";
    named.start = [&starts] {
        ++starts;
        return 1;
    };
    qv::GameSetup unnamed;
    const std::string version = std::string("tester (qv ") + qv::engineVersion() + ")\n";
    struct Case {
        std::vector<const char*> args;
        const qv::GameSetup& setup;
        int status;
        std::string outStart;
        std::string errStart;
        int startsAfter;
    };
    const Case cases[] = {
        {{"--help"}, named, 0, "usage: tester [", "", 0},
        {{"--version"}, named, 0, version, "", 0},
        {{"--nope"}, named, 2, "", "tester: unknown option: --nope\nusage: tester [", 0},
        {{"--replay"}, unnamed, 2, "", "tool: --replay needs a file name\n", 0},
        {{"--replay", "missing.replay", "--headless"}, named, 2, "", "tester: missing.replay: ", 0},
        // The replay then ends before its recording did: a second line.
        {{"--replay", golden.c_str(), "--headless"},
         named,
         1,
         "frames=0 checks=0 ",
         "tester: cannot start: the game's setup failed; tester.log says why\ntester: ",
         1},
    };
    for (const Case& c : cases) {
        const Outcome got = run(c.args, c.setup);
        EXPECT_EQ(got.status, c.status) << c.args[0] << got.err;
        EXPECT_EQ(got.out.substr(0, c.outStart.size()), c.outStart) << c.args[0];
        EXPECT_EQ(got.err.substr(0, c.errStart.size()), c.errStart) << c.args[0];
        EXPECT_EQ(c.errStart.empty(), got.err.empty()) << c.args[0] << got.err;
        EXPECT_EQ(starts, c.startsAfter) << c.args[0];
    }
    EXPECT_FALSE(qvtest::readFile("tester.log").empty());
}

} // namespace
