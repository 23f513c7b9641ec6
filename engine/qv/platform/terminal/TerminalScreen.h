#ifndef QV_PLATFORM_TERMINAL_TERMINALSCREEN_H
#define QV_PLATFORM_TERMINAL_TERMINALSCREEN_H

#include "qv/display/Screen.h"
#include "qv/platform/terminal/TerminalReader.h"
#include "qv/platform/terminal/TerminalSession.h"
#include "qv/platform/terminal/TerminalWriter.h"

#include <memory>

namespace qv {

/// Shows the game in the terminal it was started from, read on standard
/// input: each frame's text grid, only the cells that changed. While
/// the terminal is smaller than the grid the game waits, asking for room.
class TerminalScreen : public Screen {
public:
    /// Draws through session, which it opens and closes.
    explicit TerminalScreen(std::shared_ptr<TerminalSession> session);

    /// Takes over the terminal; fails when standard input is none.
    int open(const std::string& title, int columns, int rows, int width, int height) override;
    /// Gives the terminal back.
    void close() override;
    /// Whether the terminal is held.
    bool isOpen() const override;
    /// Why open() failed.
    const std::string& getFailure() const override;
    /// Sets the terminal's title.
    void setTitle(const std::string& title) override;
    /// Writes the status on the row under the grid when the terminal has
    /// one; false when it has not.
    bool showStatus(const std::string& text) override;
    /// The terminal's keys and clicks (TerminalInput).
    std::unique_ptr<InputSource> makeInput() override;
    /// Writes what changed since the last frame.
    void show(const std::vector<ScreenCell>& cells, const TextGrid& grid) override;

private:
    /// Reads and drops the keys waiting; Ctrl-C ends the program as its
    /// signal does.
    void dropKeysButCtrlC();
    /// Puts what the program wrote to standard error into the log.
    void logErrorOutput();

    std::shared_ptr<TerminalSession> session;
    TerminalReader interruptWatch;
    std::unique_ptr<TerminalWriter> writer;
    std::string bytes;
};

} // namespace qv

#endif
