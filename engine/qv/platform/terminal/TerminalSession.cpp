#include "qv/platform/terminal/TerminalSession.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace qv {

const char* const TerminalSession::ENTER =
    "\x1b[22;2t\x1b[?1049h\x1b[?25l\x1b[>11u\x1b[?u\x1b[?1000h\x1b[?1002h\x1b[?1006h";
const char* const TerminalSession::RESTORE =
    "\x1b[?1006l\x1b[?1002l\x1b[?1000l\x1b[<u\x1b[0m\x1b[?25h\x1b[?1049l\x1b[23;2t";

namespace {

// What a signal handler may touch: plain data, set before the handlers go in.
int heldInput = -1;
int heldOutput = -1;
int savedStderr = -1;
termios savedMode;
volatile std::sig_atomic_t holding = 0;
volatile std::sig_atomic_t resized = 0;

constexpr int ENDING_SIGNALS[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGSEGV,
                                  SIGBUS, SIGFPE,  SIGILL, SIGABRT};
constexpr std::size_t ENDING_COUNT = sizeof ENDING_SIGNALS / sizeof ENDING_SIGNALS[0];
struct sigaction previousActions[ENDING_COUNT];
struct sigaction previousResize;

void writeAll(int fd, const char* bytes, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, bytes, size);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return;
        }
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
}

// Async-signal-safe: write() and tcsetattr() only.
void restoreTerminal() {
    if (holding == 0) {
        return;
    }
    holding = 0;
    writeAll(heldOutput, TerminalSession::RESTORE, std::strlen(TerminalSession::RESTORE));
    tcsetattr(heldInput, TCSANOW, &savedMode);
    dup2(savedStderr, STDERR_FILENO);
}

extern "C" void restoreAndEnd(int signal) {
    restoreTerminal();
    // The handler was reset on entry: raised again, the signal does what it
    // would have done, once this handler returns.
    std::raise(signal);
}

extern "C" void noteResize(int) {
    resized = 1;
}

extern "C" void restoreAtExit() {
    restoreTerminal();
}

} // namespace

TerminalSession::~TerminalSession() {
    close();
}

int TerminalSession::open(int input, int output) {
    if (held) {
        return 0;
    }
    termios mode;
    if (!isatty(input) || tcgetattr(input, &mode) != 0) {
        failure = "--terminal needs a terminal to play in, and standard input is none";
        return -1;
    }
    inputFd = input;
    outputFd = output;
    heldInput = input;
    heldOutput = output;
    savedMode = mode;
    // Raw input, but Ctrl-C and Ctrl-\ still end the program through their
    // signals; Ctrl-Z would stop it with the terminal still raw, so it is off.
    mode.c_iflag &=
        ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON);
    mode.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | IEXTEN);
    mode.c_cflag |= CS8;
    mode.c_cc[VMIN] = 0;
    mode.c_cc[VTIME] = 0;
    mode.c_cc[VSUSP] = _POSIX_VDISABLE;

    static bool exitHookSet = false;
    if (!exitHookSet) {
        std::atexit(restoreAtExit);
        exitHookSet = true;
    }
    struct sigaction ending = {};
    ending.sa_handler = restoreAndEnd;
    ending.sa_flags = SA_RESETHAND;
    sigemptyset(&ending.sa_mask);
    for (std::size_t i = 0; i < ENDING_COUNT; ++i) {
        sigaction(ENDING_SIGNALS[i], &ending, &previousActions[i]);
    }
    struct sigaction resize = {};
    resize.sa_handler = noteResize;
    sigemptyset(&resize.sa_mask);
    sigaction(SIGWINCH, &resize, &previousResize);

    // Never blocking: a flood of messages loses its excess rather than
    // stopping the game.
    int errorPipe[2];
    if (pipe(errorPipe) == 0) {
        fcntl(errorPipe[0], F_SETFL, O_NONBLOCK);
        fcntl(errorPipe[1], F_SETFL, O_NONBLOCK);
        fflush(stderr);
        savedStderr = dup(STDERR_FILENO);
        dup2(errorPipe[1], STDERR_FILENO);
        ::close(errorPipe[1]);
        errorRead = errorPipe[0];
    }
    holding = 1;
    tcsetattr(input, TCSANOW, &mode);
    writeAll(output, ENTER, std::strlen(ENTER));
    held = true;
    resized = 1;
    return 0;
}

void TerminalSession::close() {
    if (!held) {
        return;
    }
    restoreTerminal();
    if (savedStderr >= 0) {
        ::close(savedStderr);
        savedStderr = -1;
    }
    for (std::size_t i = 0; i < ENDING_COUNT; ++i) {
        sigaction(ENDING_SIGNALS[i], &previousActions[i], nullptr);
    }
    sigaction(SIGWINCH, &previousResize, nullptr);
    held = false;
}

bool TerminalSession::isOpen() const {
    return held;
}

void TerminalSession::getSize(int& columns, int& rows) const {
    winsize size = {};
    if (ioctl(inputFd, TIOCGWINSZ, &size) != 0) {
        columns = 0;
        rows = 0;
        return;
    }
    columns = size.ws_col;
    rows = size.ws_row;
}

bool TerminalSession::takeResize() {
    const bool was = resized != 0;
    resized = 0;
    return was;
}

std::size_t TerminalSession::read(char* buffer, std::size_t size) {
    const ssize_t got = ::read(inputFd, buffer, size);
    return got > 0 ? static_cast<std::size_t>(got) : 0;
}

void TerminalSession::write(const std::string& bytes) {
    writeAll(outputFd, bytes.data(), bytes.size());
}

std::string TerminalSession::takeErrorOutput() {
    std::string text;
    char buffer[512];
    ssize_t got = 0;
    while (errorRead >= 0 && (got = ::read(errorRead, buffer, sizeof buffer)) > 0) {
        text.append(buffer, static_cast<std::size_t>(got));
    }
    if (!held && errorRead >= 0) {
        ::close(errorRead);
        errorRead = -1;
    }
    return text;
}

void TerminalSession::setTitle(const std::string& title) {
    write("\x1b]2;" + title + "\x07");
}

const std::string& TerminalSession::getFailure() const {
    return failure;
}

} // namespace qv
