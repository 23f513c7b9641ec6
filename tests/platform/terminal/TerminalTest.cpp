// The terminal's parts: bytes to events, held keys from auto-repeat, frames
// to bytes, and a session on a pseudo-terminal, left every way there is.
#include "qv/platform/terminal/HeldKeys.h"
#include "qv/platform/terminal/TerminalInput.h"
#include "qv/platform/terminal/TerminalReader.h"
#include "qv/platform/terminal/TerminalSession.h"
#include "qv/platform/terminal/TerminalWriter.h"

#include "support/AnsiScreen.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

using qv::InputEvent;

// "P34" a key pressed (H held, R released), "C0@6,16" a click (M moved).
std::string describe(const std::vector<InputEvent>& events) {
    std::string text;
    for (const InputEvent& event : events) {
        text += text.empty() ? "" : " ";
        if (event.kind == InputEvent::Kind::KEY) {
            text += "PRH"[event.action] + std::to_string(event.code);
        } else {
            text += "CHM"[event.action] + std::to_string(event.code) + "@" +
                    std::to_string(event.x) + "," + std::to_string(event.y);
        }
    }
    return text;
}

TEST(TerminalReader, ReadsEachEncodingWholeOrByteByByte) {
    const struct {
        std::string bytes;
        std::string events;
    } cases[] = {
        {"dD1 0\r\t-~/", "P34 P34 P57 P0 P66 P1 P3 P9 P11 P14"},
        {"\x1b[A\x1b[D\x1bOP\x1bOS\x1b[15~\x1b[17~\x1b[24~", "P6 P4 P19 P22 P23 P24 P30"},
        // Past the game's table: Home, End and the brackets, for a replay's viewer.
        {"\x1b[H\x1bOF\x1b[1~\x1b[4~[]{}", "P67 P68 P67 P68 P69 P70 P69 P70"},
        {"\x1b[100u\x1b[100;1:2u\x1b[100;1:3u\x1b[27u\x1b[57441;2:3u\x1b[1;1:3A",
         "P34 H34 R34 P2 R17 R6"},
        {"\x1b[<0;1;1M\x1b[<2;80;24M\x1b[<34;3;2M\x1b[<0;5;5m", "C0@6,16 C1@1017,752 M-1@32,48"},
        // Wheel, outside the grid, replies and junk give nothing.
        {"\x1b[<64;1;1M\x1b[<0;81;1M\x1b[?1;2c\x1b[12;40R\x1b[I", ""},
        // Ctrl-C under the protocol is no key; Ctrl-A and Alt-d are theirs.
        {"\x1b[99;5u\x01\x1b\x64", "P31 P34"},
        {"\x1b[1;2\x01x", "P31 P54"},
        // Too long to be anything: dropped, and the rest read afresh.
        {"\x1b[" + std::string(50, '1') + "u", "P57 P57 P57 P57 P51"},
        {"\x1b\x1b\x1b[B", "P2 P2 P7"},
    };
    for (const auto& c : cases) {
        qv::TerminalReader whole;
        qv::TerminalReader split;
        std::vector<InputEvent> wholeEvents;
        std::vector<InputEvent> splitEvents;
        whole.feed(c.bytes.data(), c.bytes.size(), wholeEvents);
        for (const char byte : c.bytes) {
            split.feed(&byte, 1, splitEvents);
        }
        EXPECT_EQ(describe(wholeEvents), c.events) << c.bytes.substr(1);
        EXPECT_EQ(describe(splitEvents), c.events) << c.bytes.substr(1);
        EXPECT_FALSE(whole.isWaiting());
    }
}

TEST(HeldKeys, HoldsWhileRepeatsComeAndReportsTheFirstKeyDownEachFrame) {
    // One frame per step: at its time, these bytes arrive, then the frame ends.
    const struct {
        long long ms;
        std::string bytes;
        std::string events;
    } steps[] = {
        {0, "d", "P34 H34"},
        {590, "", "H34"}, // still waiting for the first repeat
        {600, "d", "H34"},
        {700, "d1", "P57 H34"},
        {850, "", "H34"},
        {851, "", "R34 H57"}, // D's repeats stopped; 1 never repeated
        {1301, "", "R57"},
        {1400, "\x1b[?11u\x1b[100u\x1b[32u", "P34 P0 H34"}, // exact from here
        {9000, "\x1b[100;1:2u", "H34"},
        {9001, "\x1b[100;1:3u", "R34 H0"},
        {9002, "\x1b[32;1:3u\x1b[<0;1;1M", "R0 C0@6,16"},
    };
    qv::TerminalReader reader;
    qv::HeldKeys held;
    for (const auto& step : steps) {
        std::vector<InputEvent> read;
        std::vector<InputEvent> events;
        reader.feed(step.bytes.data(), step.bytes.size(), read);
        for (const InputEvent& event : read) {
            held.accept(event, reader.reportsReleases(), step.ms, events);
        }
        held.endFrame(step.ms, events);
        EXPECT_EQ(describe(events), step.events) << "at " << step.ms << " ms";
    }
}

qv::TextGrid randomFrame(std::mt19937& random, const qv::TextGrid& previous, int changes) {
    qv::TextGrid frame = previous;
    for (int i = 0; i < changes; ++i) {
        frame.put(static_cast<int>(random() % 80), static_cast<int>(random() % 24),
                  static_cast<char>(' ' + random() % 95), static_cast<qv::Color>(random() % 8));
    }
    return frame;
}

TEST(TerminalWriter, TheTerminalShowsEveryFrameAndUnchangedFramesCostNothing) {
    for (const char* colorterm : {"256color", "truecolor"}) {
        std::mt19937 random(7);
        const bool trueColor = qv::TerminalWriter::wantsTrueColor(colorterm);
        qv::TerminalWriter writer(80, 24, trueColor);
        writer.resize(80, 24);
        qv::TextGrid terminal(80, 24);
        qv::TextGrid frame(80, 24);
        for (int i = 0; i < 40; ++i) {
            frame = randomFrame(random, frame, i == 0 ? 2000 : i % 7);
            std::string bytes;
            writer.write(frame, bytes);
            qvtest::applyAnsi(bytes, terminal);
            ASSERT_EQ(qvtest::screenText(terminal), qvtest::screenText(frame)) << "frame " << i;
            EXPECT_EQ(bytes.empty(), i % 7 == 0 && i > 0) << "frame " << i;
            if (!bytes.empty()) {
                EXPECT_EQ(bytes.find("\x1b[38;2;") != std::string::npos, trueColor);
                EXPECT_EQ(bytes.rfind("\x1b[?2026h", 0), 0u);
                EXPECT_EQ(bytes.substr(bytes.size() - 8), "\x1b[?2026l");
            }
        }
    }
}

// A pseudo-terminal pair; the test is the terminal, at the master end.
struct PseudoTerminal {
    int master = -1;
    int slave = -1;
    PseudoTerminal() {
        winsize size = {24, 80, 0, 0};
        openpty(&master, &slave, nullptr, nullptr, &size);
        fcntl(master, F_SETFL, O_NONBLOCK);
    }
    ~PseudoTerminal() {
        close(master);
        close(slave);
    }
    void type(const std::string& bytes) const {
        EXPECT_EQ(write(master, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
        usleep(20000);
    }
    std::string shown() const {
        std::string text;
        char buffer[4096];
        for (ssize_t got; (got = read(master, buffer, sizeof buffer)) > 0;) {
            text.append(buffer, static_cast<std::size_t>(got));
        }
        return text;
    }
    bool cooked() const {
        termios mode;
        return tcgetattr(slave, &mode) == 0 && (mode.c_lflag & ECHO) != 0 &&
               (mode.c_lflag & ICANON) != 0;
    }
};

TEST(TerminalSession, TheProtocolsReleasesReachTheEngineThroughARealTerminal) {
    PseudoTerminal terminal;
    auto session = std::make_shared<qv::TerminalSession>();
    ASSERT_EQ(session->open(terminal.slave, terminal.slave), 0);
    EXPECT_FALSE(terminal.cooked());
    EXPECT_EQ(terminal.shown(), qv::TerminalSession::ENTER);
    qv::TerminalInput input(session);
    const struct {
        std::string typed;
        std::string events;
    } frames[] = {
        {"\x1b[?11u\x1b[100u", "P34 H34"},
        {"\x1b[100;1:2u", "H34"},
        {"", "H34"},
        {"\x1b[100;1:3u\x1b[<0;3;2M", "R34 C0@32,48 H0@32,48"},
        {"\x1b[<0;3;2m", ""},
    };
    for (const auto& frame : frames) {
        terminal.type(frame.typed);
        std::vector<InputEvent> events;
        input.collect(events);
        EXPECT_EQ(describe(events), frame.events) << frame.typed.substr(1);
    }
    session->close();
    EXPECT_EQ(terminal.shown(), qv::TerminalSession::RESTORE);
    EXPECT_TRUE(terminal.cooked());
}

TEST(TerminalSession, EveryWayOutGivesTheTerminalBack) {
    const struct {
        const char* way;
        int signal; // 0: exits with status 0
    } ways[] = {
        {"exit", 0},        {"\x03", SIGINT},   {"\x1b[99;5u", SIGINT}, {"SIGTERM", SIGTERM},
        {"SIGHUP", SIGHUP}, {"abort", SIGABRT}, {"SIGSEGV", SIGSEGV},
    };
    for (const auto& way : ways) {
        const std::string name = way.way;
        PseudoTerminal terminal;
        const pid_t child = fork();
        if (child == 0) {
            // The terminal is the child's own, so Ctrl-C reaches it.
            setsid();
            ioctl(terminal.slave, TIOCSCTTY, 0);
            auto session = std::make_shared<qv::TerminalSession>();
            session->open(terminal.slave, terminal.slave);
            qv::TerminalInput input(session);
            if (name == "exit") {
                std::exit(0);
            } else if (name == "abort") {
                std::abort();
            } else if (name == "SIGSEGV") {
                std::raise(SIGSEGV);
            }
            for (int i = 0; i < 500; ++i) {
                std::vector<InputEvent> events;
                input.collect(events);
                usleep(10000);
            }
            _exit(3);
        }
        std::string shown;
        for (int i = 0; i < 100 && shown.find(qv::TerminalSession::ENTER) == std::string::npos;
             ++i) {
            usleep(10000);
            shown += terminal.shown();
        }
        if (name.rfind("SIG", 0) == 0) {
            kill(child, way.signal);
        } else if (name != "exit" && name != "abort") {
            terminal.type(name);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        shown += terminal.shown();
        if (way.signal == 0) {
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << name;
        } else {
            EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == way.signal) << name;
        }
        const std::string restore = qv::TerminalSession::RESTORE;
        EXPECT_EQ(shown.substr(shown.size() - std::min(shown.size(), restore.size())), restore)
            << name;
        EXPECT_TRUE(terminal.cooked()) << name;
    }
}

} // namespace
