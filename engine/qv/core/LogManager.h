#ifndef QV_CORE_LOGMANAGER_H
#define QV_CORE_LOGMANAGER_H

#include "qv/core/Manager.h"

#include <cstdarg>
#include <cstdio>

namespace qv {

/// Writes time-stamped messages to "quorvel.log" in the working directory.
/// The file is truncated at every start-up, so it holds one run only.
class LogManager : public Manager {
public:
    /// The one log manager, made on first use.
    static LogManager& getInstance();

    /// Closes the file if shutDown() has not.
    ~LogManager() override;

    /// Opens "quorvel.log" for writing, emptying it, and from then on turns
    /// every line SFML writes to its error stream (sf::err()) into a message.
    /// Returns 0 even when the file could not be opened; writeLog() then
    /// reports the failure.
    int startUp() override;

    /// Closes the file.
    void shutDown() override;

    /// With flush on, every message is in the file when writeLog() returns.
    void setFlush(bool doFlush);

    /// Writes to stream (not owned, never closed) instead of the file, for
    /// tools that show the messages themselves. Closes the file if open;
    /// startUp() returns to the file.
    void redirect(std::FILE* stream);

    /// Writes "HH:MM:SS Message: " and the printf-formatted text; no line
    /// break is added. Returns the number of characters of the caller's text,
    /// or a negative number when nothing could be written (no open file).
    int writeLog(const char* format, ...) __attribute__((format(printf, 2, 3)));

    /// The same with a va_list, for wrappers.
    int writeLogV(const char* format, std::va_list arguments);

    /// Hears every message's text, without its time stamp, as it is
    /// written (also when no file is open); SFML's own reports, which
    /// describe the machine rather than the game, are not heard.
    using Observer = void (*)(const char* text, void* context);

    /// Sets the one observer (null for none); context is handed back to it.
    /// Messages reach the file and the observer one at a time, whichever
    /// thread writes them.
    void setObserver(Observer newObserver, void* context);

    /// The file name used by startUp().
    static constexpr const char* fileName = "quorvel.log";

private:
    LogManager();

    /// Closes the file if this manager opened it, and forgets the stream.
    void closeFile();

    std::FILE* logFile;
    bool ownsFile;
    bool flush;
    Observer observer;
    void* observerContext;
};

} // namespace qv

#endif
