#include "qv/platform/terminal/TerminalScreen.h"

#include "qv/core/LogManager.h"
#include "qv/platform/terminal/TerminalInput.h"

#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <thread>

namespace qv {

TerminalScreen::TerminalScreen(std::shared_ptr<TerminalSession> terminal)
    : session(std::move(terminal)) {}

std::unique_ptr<InputSource> TerminalScreen::makeInput() {
    return std::make_unique<TerminalInput>(session);
}

int TerminalScreen::open(const std::string& title, int columns, int rows, int, int) {
    // Drawn on the terminal even when standard output goes to a file, which
    // then gets only what the program prints (its statistics).
    const int output = isatty(STDOUT_FILENO) ? STDOUT_FILENO : STDIN_FILENO;
    if (session->open(STDIN_FILENO, output) != 0) {
        return -1;
    }
    writer = std::make_unique<TerminalWriter>(
        columns, rows, TerminalWriter::wantsTrueColor(std::getenv("COLORTERM")));
    session->setTitle(title);
    return 0;
}

void TerminalScreen::close() {
    session->close();
    logErrorOutput();
}

bool TerminalScreen::isOpen() const {
    return session->isOpen();
}

const std::string& TerminalScreen::getFailure() const {
    return session->getFailure();
}

void TerminalScreen::setTitle(const std::string& title) {
    if (session->isOpen()) {
        session->setTitle(title);
    }
}

bool TerminalScreen::showStatus(const std::string& text) {
    if (!session->isOpen() || !writer) {
        return false;
    }
    int columns = 0;
    int rows = 0;
    session->getSize(columns, rows);
    if (rows <= writer->getRows()) {
        return false;
    }
    // Every frame sets its colours afresh, so resetting them here is safe.
    session->write("\x1b[" + std::to_string(writer->getRows() + 1) + ";1H\x1b[0m" +
                   text.substr(0, static_cast<std::size_t>(columns)) + "\x1b[K");
    return true;
}

void TerminalScreen::logErrorOutput() {
    const std::string text = session->takeErrorOutput();
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        const std::size_t next = end == std::string::npos ? text.size() : end + 1;
        LogManager::getInstance().writeMachineReport(text.substr(start, next - start).c_str());
        start = next;
    }
}

void TerminalScreen::show(const std::vector<ScreenCell>&, const TextGrid& grid) {
    logErrorOutput();
    bytes.clear();
    for (;;) {
        if (session->takeResize()) {
            int columns = 0;
            int rows = 0;
            session->getSize(columns, rows);
            // A terminal that does not say its size is taken to be big enough.
            if (columns == 0 && rows == 0) {
                columns = grid.getColumns();
                rows = grid.getRows();
            }
            writer->resize(columns, rows);
        }
        writer->write(grid, bytes);
        if (writer->fits()) {
            break;
        }
        // Too small to play: the game waits, asking for room, until the
        // player resizes (or ends it with Ctrl-C).
        session->write(bytes);
        bytes.clear();
        dropKeysButCtrlC();
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    session->write(bytes);
}

void TerminalScreen::dropKeysButCtrlC() {
    char ignored[256];
    std::vector<InputEvent> events;
    for (std::size_t got; (got = session->read(ignored, sizeof ignored)) > 0;) {
        interruptWatch.feed(ignored, got, events);
    }
    if (interruptWatch.takeInterrupt()) {
        std::raise(SIGINT);
    }
}

} // namespace qv
