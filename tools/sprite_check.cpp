// qv-sprite-check FILE...: loads each sprite file with the engine's own
// loader and says whether it loads. "ok" lines go to standard output; the
// loader's messages (errors and warnings, with their line numbers) go to
// standard error. Exit status 0 only when every file loads.
#include "qv/core/LogManager.h"
#include "qv/resources/ResourceManager.h"
#include "qv/resources/Sprite.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

/// Splits what the log received into its messages, without the time stamps.
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

/// Loads one file; prints the verdict. True when it loaded.
bool check(const std::string& path) {
    qv::LogManager& log = qv::LogManager::getInstance();
    qv::ResourceManager& resources = qv::ResourceManager::getInstance();
    char* buffer = nullptr;
    std::size_t size = 0;
    std::FILE* capture = open_memstream(&buffer, &size);
    if (capture == nullptr) {
        std::fprintf(stderr, "%s: cannot capture the loader's messages\n", path.c_str());
        return false;
    }
    log.redirect(capture);
    const int result = resources.loadSprite(path, "checked");
    log.redirect(nullptr);
    std::fclose(capture);
    const std::string text(buffer, size);
    std::free(buffer);

    bool hasWarnings = false;
    std::vector<std::string> notes;
    for (const std::string& message : messagesOf(text)) {
        const bool progress = message.rfind("SRM::loadSprite(): Loading", 0) == 0 ||
                              message.rfind("SRM::loadSprite(): Opened", 0) == 0 ||
                              message.rfind("SRM::loadSprite(): Sprite '", 0) == 0 ||
                              message.rfind("\t ", 0) == 0;
        if (!progress) {
            notes.push_back(message);
            hasWarnings = true;
        }
    }
    if (result == 0) {
        const qv::Sprite* sprite = resources.getSprite("checked");
        std::printf("%s: ok, %d frame%s of %d x %d%s\n", path.c_str(), sprite->getFrameCount(),
                    sprite->getFrameCount() == 1 ? "" : "s", sprite->getWidth(),
                    sprite->getHeight(), hasWarnings ? " (with warnings)" : "");
    } else {
        std::fprintf(stderr, "%s: not loaded (%d)\n", path.c_str(), result);
    }
    for (const std::string& note : notes) {
        std::fprintf(stderr, "%s:   %s\n", path.c_str(), note.c_str());
    }
    // Empty the registry so any number of files can be checked.
    resources.shutDown();
    resources.startUp();
    return result == 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: qv-sprite-check FILE...\n");
        return 2;
    }
    // The resource manager also holds sounds; this tool plays none, so keep
    // OpenAL away from the sound card (and its complaints off the output).
    setenv("ALSOFT_DRIVERS", "null", 0);
    qv::LogManager::getInstance().redirect(nullptr);
    bool allLoaded = true;
    for (int i = 1; i < argc; ++i) {
        allLoaded = check(argv[i]) && allLoaded;
    }
    return allLoaded ? 0 : 1;
}
