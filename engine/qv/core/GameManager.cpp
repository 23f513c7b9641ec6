#include "qv/core/GameManager.h"

#include "qv/core/EventStep.h"
#include "qv/core/LogManager.h"
#include "qv/core/Platform.h"
#include "qv/display/DisplayManager.h"
#include "qv/display/InputManager.h"
#include "qv/display/ViewObject.h"
#include "qv/resources/ResourceManager.h"
#include "qv/world/Object.h"
#include "qv/world/WorldManager.h"

namespace qv {

namespace {

constexpr int MAX_ALTITUDE = 4;

} // namespace

GameManager::GameManager()
    : nextFrame(0), frameTime(33), gameOver(true), headless(false), timeSource(nullptr),
      sleeper(platform::sleepUntilMicros), stopFlag(nullptr), clock(nullptr), stopped(false),
      timed(true), nextStart(-1) {
    setType("GameManager");
}

GameManager& GameManager::getInstance() {
    static GameManager instance;
    return instance;
}

int GameManager::startUp() {
    if (isStarted()) {
        LogManager::getInstance().writeWarning("GameManager::startUp() while started: every "
                                               "manager restarts and the world is emptied");
    }
    platform::raiseTimerResolution();
    gameOver = false;

    // The log first: what SFML reports while the others start goes into it.
    const int logResult = LogManager::getInstance().startUp();
    if (headless) {
        platform::useNullAudioOutput();
    }
    DisplayManager& display = DisplayManager::getInstance();
    display.setHeadless(headless);
    ResourceManager::getInstance().setSilent(headless);
    WorldManager& world = WorldManager::getInstance();
    const int results[] = {
        logResult,
        display.startUp(),
        InputManager::getInstance().startUp(),
        ResourceManager::getInstance().startUp(),
        world.startUp(),
    };

    const Box grid(Vector(), static_cast<float>(display.getHorizontalChars()),
                   static_cast<float>(display.getVerticalChars()));
    world.setBoundary(grid);
    world.setView(grid);

    for (const int result : results) {
        if (result != 0) {
            return -1;
        }
    }
    return Manager::startUp();
}

std::string GameManager::getStartUpFailure() const {
    // The display is the only manager that fails on its own; the input
    // manager then fails because there is no display.
    const DisplayManager& display = DisplayManager::getInstance();
    if (!display.getFailure().empty()) {
        return display.getFailure();
    }
    const Manager* managers[] = {&LogManager::getInstance(), &display, &InputManager::getInstance(),
                                 &ResourceManager::getInstance(), &WorldManager::getInstance()};
    for (const Manager* manager : managers) {
        if (!manager->isStarted()) {
            return "the " + manager->getType() + " did not start";
        }
    }
    return "";
}

void GameManager::shutDown() {
    platform::restoreTimerResolution();
    gameOver = true;
    WorldManager::getInstance().shutDown();
    ResourceManager::getInstance().shutDown();
    InputManager::getInstance().shutDown();
    DisplayManager::getInstance().shutDown();
    LogManager::getInstance().shutDown();
    Manager::shutDown();
}

void GameManager::run() {
    beginRun();
    if (gameOver) {
        return;
    }
    const std::int64_t period = static_cast<std::int64_t>(frameTime) * 1000;
    // Frames are scheduled on a fixed grid, so a late wake-up shortens the
    // next sleep instead of delaying every later frame.
    std::int64_t frameStart = clock.nowMicros();
    while (true) {
        clock.restartAt(frameStart);
        const bool goesOn = step();

        // An overrun frame still sleeps a full period rather than none, so a
        // slow frame never makes the next one start early.
        const bool overran = clock.elapsedMicros() > period;
        frameStart = overran ? clock.nowMicros() + period : frameStart + period;
        if (!headless) {
            sleeper(frameStart);
        }
        endWait();
        if (!goesOn || stopRequested()) {
            break;
        }
    }
}

void GameManager::beginRun() {
    clock = Clock(timeSource);
    if (!isStarted()) {
        LogManager::getInstance().writeWarning(
            "GameManager::run() before startUp(): no frames run");
    }
    frameStats.reset();
    stopped = false;
    nextFrame = 0;
    nextStart = -1;
}

bool GameManager::step() {
    if (gameOver) {
        return false;
    }
    if (timed) {
        frameStats.beginFrame(nextStart >= 0 ? nextStart : clock.nowMicros());
    }
    nextStart = -1;
    EventStep stepEvent;
    stepEvent.setStepCount(nextFrame++);
    onEvent(&stepEvent);
    markPhase(FramePhase::STEP);
    InputManager::getInstance().getInput();
    markPhase(FramePhase::INPUT);
    WorldManager::getInstance().update();
    markPhase(FramePhase::UPDATE);
    drawWorld();
    markPhase(FramePhase::DRAW);
    DisplayManager::getInstance().showFrame();
    markPhase(FramePhase::SHOW);
    // What the input asks now is answered while the loop sleeps.
    InputManager::getInstance().frameShown();
    return !stopRequested();
}

bool GameManager::stopRequested() {
    if (stopFlag != nullptr && *stopFlag != 0) {
        gameOver = true;
        stopped = true;
    }
    return gameOver;
}

void GameManager::endWait() {
    if (timed) {
        frameStats.mark(FramePhase::SLEEP, nextStart >= 0 ? nextStart : clock.nowMicros());
    }
}

void GameManager::startNextFrameAt(std::int64_t startMicros) {
    nextStart = startMicros;
}

void GameManager::setTimed(bool isTimed) {
    timed = isTimed;
}

void GameManager::markPhase(FramePhase phase) {
    if (timed) {
        frameStats.mark(phase, clock.nowMicros());
    }
}

const FrameStats& GameManager::getFrameStats() const {
    return frameStats;
}

void GameManager::drawWorld() const {
    WorldManager& world = WorldManager::getInstance();
    const Box view = world.getView();
    const ObjectList all = world.getAllObjects();
    for (int altitude = 0; altitude <= MAX_ALTITUDE; ++altitude) {
        for (int i = 0; i < all.getCount(); ++i) {
            Object* object = all[i];
            if (object->getAltitude() != altitude) {
                continue;
            }
            // HUD objects stay on screen wherever their position lies.
            if (boxesIntersect(object->getWorldBox(), view) ||
                dynamic_cast<ViewObject*>(object) != nullptr) {
                object->draw();
            }
        }
    }
}

void GameManager::setGameOver(bool isGameOver) {
    gameOver = isGameOver;
}

void GameManager::setHeadless(bool isHeadless) {
    if (isStarted() && isHeadless != headless) {
        LogManager::getInstance().writeWarning(
            "GameManager::setHeadless() after startUp(): the display stays as it is until the "
            "next startUp()");
    }
    // Passed on in startUp(): making the display and resource managers here,
    // before the log takes SFML's error stream, would print their messages.
    headless = isHeadless;
}

bool GameManager::isHeadless() const {
    return headless;
}

bool GameManager::getGameOver() const {
    return gameOver;
}

void GameManager::setStopFlag(const volatile std::sig_atomic_t* flag) {
    stopFlag = flag;
}

bool GameManager::wasStopped() const {
    return stopped;
}

int GameManager::getFrameTime() const {
    return frameTime;
}

void GameManager::setTiming(Clock::TimeSource newTimeSource, Sleeper newSleeper) {
    timeSource = newTimeSource;
    sleeper = newSleeper != nullptr ? newSleeper : platform::sleepUntilMicros;
}

} // namespace qv
