#include "qv/core/LogManager.h"

#include "qv/core/Platform.h"

#include <cctype>
#include <ctime>
#include <mutex>
#include <string>

namespace qv {

namespace {

// Machine reports describe this machine, not the game, so the observer, such
// as a replay's checkpoints, skips them. Per thread: SFML's audio thread
// reports while the game logs on its own.
thread_local bool writingMachineReport = false;

// One message at a time reaches the file and the observer, whichever thread
// writes it.
std::mutex writing;

} // namespace

LogManager::LogManager()
    : path(fileName), warnedOnStderr(false), logFile(nullptr), ownsFile(false), flush(false),
      observer(nullptr), observerContext(nullptr), watching(false), failureHeard(false),
      stampedAt(-1), stamp() {
    setType("LogManager");
}

LogManager& LogManager::getInstance() {
    static LogManager instance;
    return instance;
}

LogManager::~LogManager() {
    closeFile();
}

int LogManager::startUp() {
    {
        const std::lock_guard<std::mutex> lock(writing);
        closeFile();
        logFile = std::fopen(path.c_str(), "w");
        ownsFile = logFile != nullptr;
    }
    // Written to the file only: the observer heard them when they were made.
    const Observer heard = observer;
    observer = nullptr;
    for (const std::string& warning : earlyWarnings) {
        writeLog("%s", warning.c_str());
    }
    observer = heard;
    earlyWarnings.clear();
    platform::captureLibraryReports();
    return Manager::startUp();
}

void LogManager::shutDown() {
    {
        const std::lock_guard<std::mutex> lock(writing);
        closeFile();
    }
    Manager::shutDown();
}

void LogManager::redirect(std::FILE* stream) {
    const std::lock_guard<std::mutex> lock(writing);
    closeFile();
    logFile = stream;
}

void LogManager::closeFile() {
    if (ownsFile) {
        std::fclose(logFile);
    }
    logFile = nullptr;
    ownsFile = false;
}

void LogManager::setFileName(const std::string& name) {
    path = name;
}

const std::string& LogManager::getFileName() const {
    return path;
}

void LogManager::writeWarning(const char* format, ...) {
    std::va_list arguments;
    va_start(arguments, format);
    char text[512];
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    const std::string line = std::string(text) + "\n";
    if (writeLog("%s", line.c_str()) < 0) {
        earlyWarnings.push_back(line);
    }
    if (!warnedOnStderr) {
        warnedOnStderr = true;
        std::fputs(line.c_str(), stderr);
    }
}

void LogManager::setFlush(bool doFlush) {
    flush = doFlush;
}

int LogManager::writeLog(const char* format, ...) {
    std::va_list arguments;
    va_start(arguments, format);
    const int written = writeLogV(format, arguments);
    va_end(arguments);
    return written;
}

int LogManager::writeMachineReport(const char* line) {
    writingMachineReport = true;
    const int written = writeLog("%s", line);
    writingMachineReport = false;
    return written;
}

void LogManager::setObserver(Observer newObserver, void* context) {
    const std::lock_guard<std::mutex> lock(writing);
    observer = newObserver;
    observerContext = context;
}

void LogManager::watchFailures(bool on) {
    const std::lock_guard<std::mutex> lock(writing);
    if (on) {
        failureHeard = false;
        failureReport.clear();
    }
    watching = on;
}

const std::string& LogManager::getFailureReport() const {
    return failureReport;
}

void LogManager::hear(const char* text) {
    if (observer != nullptr) {
        observer(text, observerContext);
    }
    if (!watching || failureHeard) {
        return;
    }
    std::string line = text;
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
        line.pop_back();
    }
    std::string lower = line;
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    for (const char* word : {"error", "cannot", "unable", "fail", "not loaded"}) {
        failureHeard = failureHeard || lower.find(word) != std::string::npos;
    }
    if (!line.empty()) {
        failureReport = line;
    }
}

int LogManager::writeLogV(const char* format, std::va_list arguments) {
    const std::lock_guard<std::mutex> lock(writing);
    if (format != nullptr && (observer != nullptr || watching) && !writingMachineReport) {
        std::va_list copy;
        va_copy(copy, arguments);
        char text[512];
        const int length = std::vsnprintf(text, sizeof text, format, copy);
        va_end(copy);
        if (length >= static_cast<int>(sizeof text)) {
            std::string longer(static_cast<std::size_t>(length) + 1, '\0');
            va_copy(copy, arguments);
            std::vsnprintf(longer.data(), longer.size(), format, copy);
            va_end(copy);
            hear(longer.c_str());
        } else if (length >= 0) {
            hear(text);
        }
    }
    if (logFile == nullptr || format == nullptr) {
        return -1;
    }
    // Lines come in bursts within a second; a page asks the browser for
    // the local time, which costs more than writing the line.
    const std::time_t now = std::time(nullptr);
    if (now != stampedAt) {
        std::tm local{};
        localtime_r(&now, &local);
        std::snprintf(stamp, sizeof stamp, "%02d:%02d:%02d", local.tm_hour, local.tm_min,
                      local.tm_sec);
        stampedAt = now;
    }
    if (std::fputs(stamp, logFile) < 0 || std::fputs(" Message: ", logFile) < 0) {
        return -1;
    }
    const int written = std::vfprintf(logFile, format, arguments);
    if (flush) {
        std::fflush(logFile);
    }
    return written;
}

} // namespace qv
