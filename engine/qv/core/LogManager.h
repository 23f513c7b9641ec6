#ifndef QV_CORE_LOGMANAGER_H
#define QV_CORE_LOGMANAGER_H

#include "qv/core/Manager.h"

#include <cstdarg>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

namespace qv {

/// Writes time-stamped messages to a file in the working directory,
/// "quorvel.log" unless the game names another. The file is truncated at
/// every start-up, so it holds one run only.
class LogManager : public Manager {
public:
    /// The one log manager, made on first use.
    static LogManager& getInstance();

    /// Closes the file if shutDown() has not.
    ~LogManager() override;

    /// Opens the log file for writing, emptying it, writes the warnings made
    /// before, and from then on turns every line the platform's libraries
    /// report (on the desktop, SFML's error stream) into a message.
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

    /// Writes one line a library reported about the machine (its sound card,
    /// its graphics driver) as a message the observer does not hear.
    int writeMachineReport(const char* line);

    /// Logs a call the engine could not carry out as its caller meant (made
    /// in the wrong order, or naming something unknown): "call: reason",
    /// printf-formatted, a line break added. Made before the file is open it
    /// is kept for startUp(). The first warning of a run also goes to
    /// standard error, one line, so an author who never reads the log sees
    /// it.
    void writeWarning(const char* format, ...) __attribute__((format(printf, 2, 3)));

    /// Hears every message's text, without its time stamp, as it is
    /// written (also when no file is open); machine reports, which describe
    /// the machine rather than the game, are not heard.
    using Observer = void (*)(const char* text, void* context);

    /// Sets the one observer (null for none); context is handed back to it.
    /// Messages reach the file and the observer one at a time, whichever
    /// thread writes them.
    void setObserver(Observer newObserver, void* context);

    /// While on, remembers the first message that reports a failure (its
    /// text says "error", "cannot", "unable", "fail" or "not loaded", in any
    /// case) and the last message, for a caller who must also say elsewhere
    /// why something failed. Turning it on forgets what was remembered.
    void watchFailures(bool on);

    /// The first failure message heard while watching, else the last
    /// message then; without its line break, empty when there was none.
    const std::string& getFailureReport() const;

    /// The file name startUp() uses unless setFileName() gave another.
    static constexpr const char* fileName = "quorvel.log";

    /// The file the next startUp() opens.
    void setFileName(const std::string& name);
    /// The file startUp() opens.
    const std::string& getFileName() const;

private:
    LogManager();

    /// Closes the file if this manager opened it, and forgets the stream.
    void closeFile();
    /// Hands a message's text to the observer and the failure watch.
    void hear(const char* text);

    std::string path;
    // Warnings made while no file was open, for the next startUp().
    std::vector<std::string> earlyWarnings;
    bool warnedOnStderr;
    std::FILE* logFile;
    bool ownsFile;
    bool flush;
    Observer observer;
    void* observerContext;
    bool watching;
    bool failureHeard;
    std::string failureReport;
    // The time the last line was stamped with and its stamp, "HH:MM:SS".
    std::time_t stampedAt;
    char stamp[16];
};

} // namespace qv

#endif
