#ifndef QV_PLATFORM_TERMINAL_TERMINALSESSION_H
#define QV_PLATFORM_TERMINAL_TERMINALSESSION_H

#include <cstddef>
#include <string>

namespace qv {

/// Holds a terminal for a game: raw input, the alternate screen, the cursor
/// hidden, key releases and the mouse reported. Every way out gives the
/// terminal back as it was: close(), exit(), and the signals that end the
/// program (Ctrl-C, SIGTERM, SIGHUP, a crash), whose handler restores it
/// and then lets the signal end the program as it would have. While it holds
/// the terminal, what the program writes to standard error is kept for the
/// log instead of landing over the picture.
/// One session at a time.
class TerminalSession {
public:
    /// What open() writes: alternate screen, cursor hidden, the keyboard
    /// protocol with event types asked for and queried, mouse reports on.
    static const char* const ENTER;
    /// What every way out writes: each of ENTER's modes undone.
    static const char* const RESTORE;

    ~TerminalSession();

    /// Takes over the terminal read on inputFd and drawn on outputFd. 0 on
    /// success; -1 when inputFd is no terminal, with getFailure() saying so.
    int open(int inputFd, int outputFd);

    /// Gives the terminal back; does nothing when not open.
    void close();

    /// Whether the terminal is held.
    bool isOpen() const;

    /// The terminal's size in cells; 0 x 0 when it does not say.
    void getSize(int& columns, int& rows) const;

    /// Whether the terminal was resized since the last call.
    bool takeResize();

    /// Reads what the terminal has sent, without waiting: the bytes read,
    /// 0 when there are none.
    std::size_t read(char* buffer, std::size_t size);

    /// Writes all the bytes (a partial write is continued).
    void write(const std::string& bytes);

    /// What was written to standard error since the last call.
    std::string takeErrorOutput();

    /// Sets the terminal's title (the old one comes back at the end).
    void setTitle(const std::string& title);

    /// One line saying why open() failed.
    const std::string& getFailure() const;

private:
    int inputFd = -1;
    int outputFd = -1;
    bool held = false;
    // Standard error while the terminal is held: written to one end,
    // read from the other.
    int errorRead = -1;
    std::string failure;
};

} // namespace qv

#endif
