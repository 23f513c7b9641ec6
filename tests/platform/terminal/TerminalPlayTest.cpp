// The game played in tmux: a terminal too small gets asked for room, then
// P, D held by auto-repeat, Escape and Q. The screen tmux shows at the end
// must equal, cell by cell and colour by colour, the last frame of the
// recorded game replayed headless. The golden replays play there too.
#include "support/AnsiScreen.h"
#include "support/HeadlessReplay.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace {

class Tmux {
public:
    Tmux() : command("tmux -f tmux.conf -L qv-test-" + std::to_string(getpid()) + " ") {
        // No status line, and the alternate screen ignored, so the last
        // frame stays in the pane after the game ends.
        qvtest::writeFile("tmux.conf", "set -g status off\nset -g alternate-screen off\n");
    }
    ~Tmux() { run("kill-server"); }

    std::string run(const std::string& arguments) const {
        std::string output;
        if (std::FILE* pipe = popen((command + arguments + " 2>&1").c_str(), "r")) {
            char buffer[4096];
            for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
                output.append(buffer, got);
            }
            pclose(pipe);
        }
        return output;
    }

    static std::string waitForFile(const std::string& name) {
        for (int i = 0; i < 1200 && qvtest::readFile(name).empty(); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return qvtest::readFile(name);
    }

    bool waitFor(const std::string& text) const {
        for (int i = 0; i < 200; ++i) {
            if (run("capture-pane -p -t qv").find(text) != std::string::npos) {
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return false;
    }

private:
    std::string command;
};

TEST(TerminalPlay, TmuxShowsTheLastFrameAHeadlessReplayOfTheGameShows) {
    Tmux tmux;
    tmux.run("new-session -d -x 80 -y 23 -s qv 'env -u COLORTERM " QV_GAME_BINARY
             " --terminal --record game.replay; echo $? >status; sleep 60'");
    ASSERT_TRUE(tmux.waitFor("Make the terminal at least 80 x 24 to play."));
    tmux.run("resize-window -t qv -x 80 -y 24");
    ASSERT_TRUE(tmux.waitFor("P - play"));
    tmux.run("send-keys -t qv p");
    ASSERT_TRUE(tmux.waitFor("Health"));
    for (int i = 0; i < 20; ++i) {
        tmux.run("send-keys -t qv d");
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
    }
    tmux.run("send-keys -t qv Escape");
    ASSERT_TRUE(tmux.waitFor("You Slept For"));
    ASSERT_TRUE(tmux.waitFor("P - play"));
    tmux.run("send-keys -t qv q");
    EXPECT_EQ(Tmux::waitForFile("status"), "0\n");
    qv::TextGrid shown(80, 24);
    qvtest::applyAnsi(tmux.run("capture-pane -p -e -N -t qv"), shown);
    EXPECT_EQ(qvtest::screenText(shown), qvtest::replayHeadless("game.replay"));
}

TEST(TerminalPlay, GoldenReplaysPlayInTmuxToEveryCheckpoint) {
    Tmux tmux;
    std::vector<std::string> names;
    for (const auto& entry :
         std::filesystem::directory_iterator(qvtest::sourcePath("tests/replays"))) {
        if (entry.path().extension() == ".replay") {
            names.push_back(entry.path().stem().string());
            tmux.run("new-session -d -x 80 -y 24 -s " + names.back() +
                     " '" QV_GAME_BINARY " --terminal --replay " + entry.path().string() + " >" +
                     names.back() + ".out; echo $? >" + names.back() + ".status; sleep 60'");
        }
    }
    ASSERT_FALSE(names.empty());
    for (const std::string& name : names) {
        EXPECT_EQ(Tmux::waitForFile(name + ".status"), "0\n") << name;
        EXPECT_NE(qvtest::readFile(name + ".out").find(" mismatches=0 "), std::string::npos)
            << name << ": " << qvtest::readFile(name + ".out");
    }
}

} // namespace
