#include "qv/core/LogManager.h"

#include "qv/core/Platform.h"

#include <ctime>
#include <string>

namespace qv {

LogManager::LogManager()
    : logFile(nullptr), ownsFile(false), flush(false), observer(nullptr), observerContext(nullptr),
      writingMachineReport(false) {
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
    closeFile();
    logFile = std::fopen(fileName, "w");
    ownsFile = logFile != nullptr;
    platform::captureLibraryReports();
    return Manager::startUp();
}

void LogManager::shutDown() {
    closeFile();
    Manager::shutDown();
}

void LogManager::redirect(std::FILE* stream) {
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
    observer = newObserver;
    observerContext = context;
}

int LogManager::writeLogV(const char* format, std::va_list arguments) {
    if (format != nullptr && observer != nullptr && !writingMachineReport) {
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
            observer(longer.c_str(), observerContext);
        } else if (length >= 0) {
            observer(text, observerContext);
        }
    }
    if (logFile == nullptr || format == nullptr) {
        return -1;
    }
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    if (std::fprintf(logFile, "%02d:%02d:%02d Message: ", local.tm_hour, local.tm_min,
                     local.tm_sec) < 0) {
        return -1;
    }
    const int written = std::vfprintf(logFile, format, arguments);
    if (flush) {
        std::fflush(logFile);
    }
    return written;
}

} // namespace qv
