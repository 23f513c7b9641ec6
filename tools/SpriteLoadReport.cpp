#include "SpriteLoadReport.h"

#include "qv/core/LogManager.h"
#include "qv/resources/ResourceManager.h"

#include <cstdio>
#include <cstdlib>

namespace {

// Splits what the log received into its messages, without the time stamps.
std::vector<std::string> messagesOf(const std::string& text) {
    const std::string marker = " Message: ";
    const std::size_t stampLength = 8; // "HH:MM:SS"
    std::vector<std::string> messages;
    std::size_t at = text.find(marker);
    while (at != std::string::npos) {
        const std::size_t begin = at + marker.size();
        const std::size_t next = text.find(marker, begin);
        const std::size_t end = next == std::string::npos ? text.size() : next - stampLength;
        std::string message = text.substr(begin, end - begin);
        while (!message.empty() && message.back() == '\n') {
            message.pop_back();
        }
        messages.push_back(message);
        at = next;
    }
    return messages;
}

bool isProgress(const std::string& message) {
    return message.rfind("SRM::loadSprite(): Loading", 0) == 0 ||
           message.rfind("SRM::loadSprite(): Opened", 0) == 0 ||
           message.rfind("SRM::loadSprite(): Sprite '", 0) == 0 || message.rfind("\t ", 0) == 0;
}

} // namespace

SpriteLoadReport SpriteLoadReport::load(const std::string& path, const std::string& label) {
    qv::LogManager& log = qv::LogManager::getInstance();
    SpriteLoadReport report;
    char* buffer = nullptr;
    std::size_t size = 0;
    std::FILE* capture = open_memstream(&buffer, &size);
    if (capture == nullptr) {
        report.result = qv::ResourceManager::getInstance().loadSprite(path, label);
        report.notes.push_back("(the loader's messages could not be captured)");
        return report;
    }
    log.redirect(capture);
    report.result = qv::ResourceManager::getInstance().loadSprite(path, label);
    log.redirect(nullptr);
    std::fclose(capture);
    const std::string text(buffer, size);
    std::free(buffer);
    for (std::string& message : messagesOf(text)) {
        if (!isProgress(message)) {
            report.notes.push_back(std::move(message));
        }
    }
    return report;
}
