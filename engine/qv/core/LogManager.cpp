#include "qv/core/LogManager.h"

#include <ctime>

namespace qv {

LogManager::LogManager() : logFile(nullptr), ownsFile(false), flush(false) {
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

int LogManager::writeLogV(const char* format, std::va_list arguments) {
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
