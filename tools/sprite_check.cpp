// qv-sprite-check FILE...: loads each sprite file with the engine's own
// loader and says whether it loads. "ok" lines go to standard output; the
// loader's messages (errors and warnings, with their line numbers) go to
// standard error. Exit status 0 only when every file loads.
#include "SpriteLoadReport.h"

#include "qv/core/LogManager.h"
#include "qv/resources/ResourceManager.h"
#include "qv/resources/Sprite.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

/// Loads one file; prints the verdict. True when it loaded.
bool check(const std::string& path) {
    qv::ResourceManager& resources = qv::ResourceManager::getInstance();
    const SpriteLoadReport report = SpriteLoadReport::load(path, "checked");
    const int result = report.result;
    const std::vector<std::string>& notes = report.notes;
    const bool hasWarnings = !notes.empty();
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
    // Started as a game starts it, so the loader has nothing to warn about
    // but the files.
    qv::ResourceManager::getInstance().startUp();
    bool allLoaded = true;
    for (int i = 1; i < argc; ++i) {
        allLoaded = check(argv[i]) && allLoaded;
    }
    return allLoaded ? 0 : 1;
}
