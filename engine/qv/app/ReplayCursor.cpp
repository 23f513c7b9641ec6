#include "qv/app/ReplayCursor.h"

#include "qv/core/GameManager.h"
#include "qv/display/DisplayManager.h"
#include "qv/replay/ReplaySession.h"
#include "qv/resources/ResourceManager.h"
#include "qv/world/WorldManager.h"

#include <algorithm>
#include <utility>

namespace qv {

ReplayCursor::ReplayCursor(std::function<int()> gameSetup)
    : setup(std::move(gameSetup)), frame(-1), ended(false), cleanUpTo(-1), seekBack(true) {}

int ReplayCursor::getFrame() const {
    return frame;
}

int ReplayCursor::getLastFrame() const {
    return ReplaySession::getInstance().getLastFrame();
}

bool ReplayCursor::atEnd() const {
    return ended;
}

bool ReplayCursor::step(bool shown) {
    GameManager& game = GameManager::getInstance();
    if (ended || game.getGameOver()) {
        return false;
    }
    DisplayManager::getInstance().setHidden(!shown);
    ResourceManager::getInstance().setMuted(!shown);
    ended = !game.step();
    game.setGameOver(false);
    ++frame;
    DisplayManager::getInstance().setHidden(false);
    ResourceManager::getInstance().setMuted(false);
    const ReplaySession& session = ReplaySession::getInstance();
    if (session.getMismatches() == 0) {
        cleanUpTo = std::max(cleanUpTo, frame);
    }
    return true;
}

int ReplayCursor::restart() {
    WorldManager& world = WorldManager::getInstance();
    ResourceManager& resources = ResourceManager::getInstance();
    const Box boundary = world.getBoundary();
    const Box view = world.getView();
    world.shutDown();
    resources.shutDown();
    // From here on the log is the new game's, as it was from start-up on.
    ReplaySession::getInstance().rewind();
    resources.startUp();
    world.startUp();
    world.setBoundary(boundary);
    world.setView(view);
    GameManager::getInstance().setGameOver(false);
    GameManager::getInstance().beginRun();
    frame = -1;
    ended = false;
    if (setup && setup() != 0) {
        problem = "the game's setup failed when it was set up again";
        return -1;
    }
    return 0;
}

int ReplayCursor::seek(int target) {
    problem.clear();
    target = std::max(0, std::min(target, getLastFrame()));
    if (target == frame) {
        DisplayManager::getInstance().reshow();
        return 0;
    }
    if (target < frame) {
        if (!seekBack) {
            return -1;
        }
        if (restart() != 0) {
            seekBack = false;
            return -1;
        }
    }
    while (frame < target - 1 && step(false)) {
    }
    step(true);
    const ReplaySession& session = ReplaySession::getInstance();
    const int differs = session.getFirstMismatchFrame();
    if (differs >= 0 && differs <= cleanUpTo) {
        seekBack = false;
        problem = "seeking back is not possible for this game: played again from its start it "
                  "differs from its recording at frame " +
                  std::to_string(differs) +
                  ", where it matched before (it keeps state the engine cannot reset, such as "
                  "a static)";
        return -1;
    }
    return frame == target ? 0 : -1;
}

bool ReplayCursor::canSeekBack() const {
    return seekBack;
}

const std::string& ReplayCursor::getProblem() const {
    return problem;
}

} // namespace qv
