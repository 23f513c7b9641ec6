// qv-sprite-view FILE: a live preview of one sprite file in the engine's
// window. Edit the file and the window follows within a second; Q or Escape
// (or closing the window) quits. It draws with qv-font.ttf from the working
// folder, as a game does, or else with the font installed beside it.
#include "SpriteViewer.h"

#include "qv/core/DataFile.h"
#include "qv/core/GameManager.h"
#include "qv/core/LogManager.h"
#include "qv/display/DisplayManager.h"
#include "qv/display/InputManager.h"
#include "qv/resources/ResourceManager.h"
#include "qv/world/WorldManager.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

int refuse(const std::string& why) {
    std::fprintf(stderr, "qv-sprite-view: %s\n", why.c_str());
    return 2;
}

bool readable(const std::string& path) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return false;
    }
    std::ifstream file(path);
    return file.is_open();
}

} // namespace

int main(int argc, char** argv) {
    std::string path;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument.size() > 1 && argument[0] == '-') {
            return refuse("unknown option: " + argument + " (usage: qv-sprite-view FILE)");
        }
        if (!path.empty()) {
            return refuse("one file at a time (usage: qv-sprite-view FILE)");
        }
        path = argument;
    }
    if (path.empty()) {
        return refuse("no file given (usage: qv-sprite-view FILE)");
    }
    if (!readable(path)) {
        return refuse("cannot read " + path);
    }

    // No sound is played, and the log is not written: the loader's messages
    // are caught for the window instead, and no quorvel.log is left behind.
    setenv("ALSOFT_DRIVERS", "null", 0);
    qv::LogManager::getInstance().redirect(nullptr);
    // Installed, the tool finds the engine's font from its own folder, so an
    // install with any --prefix works.
    char self[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    if (length > 0) {
        const std::string program(self, static_cast<std::size_t>(length));
        const std::string bin = program.substr(0, program.rfind('/') + 1);
        qv::setPackageDataFolder((bin + QV_DATA_FROM_BIN).c_str());
    }
    qv::DisplayManager& display = qv::DisplayManager::getInstance();
    display.setTitle("qv-sprite-view: " + path);
    if (display.startUp() != 0 || qv::InputManager::getInstance().startUp() != 0) {
        const std::string& why = display.getFailure();
        std::fprintf(stderr, "qv-sprite-view: %s\n",
                     why.empty() ? "cannot open the window" : why.c_str());
        qv::GameManager::getInstance().shutDown();
        return 1;
    }
    qv::ResourceManager::getInstance().startUp();
    qv::WorldManager& world = qv::WorldManager::getInstance();
    world.startUp();
    const qv::Box grid(qv::Vector(), static_cast<float>(display.getHorizontalChars()),
                       static_cast<float>(display.getVerticalChars()));
    world.setBoundary(grid);
    world.setView(grid);

    new SpriteViewer(path);
    qv::GameManager& game = qv::GameManager::getInstance();
    game.setGameOver(false);
    game.run();
    game.shutDown();
    return 0;
}
