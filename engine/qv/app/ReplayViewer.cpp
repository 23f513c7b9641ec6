#include "qv/app/ReplayViewer.h"

#include "qv/core/GameManager.h"
#include "qv/core/Platform.h"
#include "qv/display/DisplayManager.h"
#include "qv/display/InputManager.h"
#include "qv/replay/ReplaySession.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace qv {

namespace {

// Speeds in quarters of the normal one: 1/4, 1/2, 1, 2, 4, 8, 16.
constexpr int SPEEDS[] = {1, 2, 4, 8, 16, 32, 64};
constexpr int SPEED_COUNT = sizeof SPEEDS / sizeof SPEEDS[0];
constexpr int NORMAL_SPEED = 2;
constexpr int FRAMES_PER_SECOND = 30;
constexpr int SEEK_FRAMES = 10 * FRAMES_PER_SECOND;
constexpr std::int64_t OVERLAY_MICROS = 2000000;

std::string speedText(int quarters) {
    return quarters < 4 ? "1/" + std::to_string(4 / quarters) + "x"
                        : std::to_string(quarters / 4) + "x";
}

} // namespace

ReplayViewer::ReplayViewer(std::function<int()> setup, Options viewerOptions)
    : cursor(std::move(setup)), options(std::move(viewerOptions)), paused(false),
      speed(NORMAL_SPEED), credit(0), takenOver(false), takeOverFrame(0), roomOutside(false),
      overlayUntil(0) {}

std::string ReplayViewer::clockText(int frames) {
    const int seconds = std::max(frames, 0) / FRAMES_PER_SECOND;
    const int part = seconds % 60;
    return std::to_string(seconds / 60) + (part < 10 ? ":0" : ":") + std::to_string(part);
}

std::string ReplayViewer::status() const {
    if (takenOver) {
        const int frame = ReplaySession::getInstance().getFrame();
        return "frame " + std::to_string(frame) + "  " + clockText(frame) +
               "  you play from frame " + std::to_string(takeOverFrame + 1);
    }
    const int frame = std::max(cursor.getFrame(), 0);
    const int count = cursor.getLastFrame() + 1;
    std::string text = "frame " + std::to_string(frame) + " / " + std::to_string(count) + "  " +
                       clockText(frame) + " / " + clockText(count) + "  " +
                       speedText(SPEEDS[speed]) + (paused ? "  paused  " : "  ");
    if (!problem.empty()) {
        return text + problem;
    }
    if (!difference.empty()) {
        return text + "differs at " + difference;
    }
    return text + "checks " + std::to_string(ReplaySession::getInstance().getChecks()) + " ok";
}

void ReplayViewer::seekTo(int target) {
    if (cursor.seek(target) != 0) {
        problem = cursor.getProblem();
    }
}

void ReplayViewer::press(Keyboard::Key key) {
    if (takenOver) {
        return;
    }
    const int frame = cursor.getFrame();
    switch (key) {
    case Keyboard::SPACE:
        paused = !paused;
        break;
    case Keyboard::PERIOD:
        if (paused) {
            cursor.step(true);
        }
        break;
    case Keyboard::COMMA:
        if (paused && frame > 0) {
            seekTo(frame - 1);
        }
        break;
    case Keyboard::LEFT_ARROW:
        seekTo(frame - SEEK_FRAMES);
        break;
    case Keyboard::RIGHT_ARROW:
        seekTo(frame + SEEK_FRAMES);
        break;
    case Keyboard::HOME:
        seekTo(0);
        break;
    case Keyboard::END:
        seekTo(cursor.getLastFrame());
        paused = true;
        break;
    case Keyboard::LEFT_BRACKET:
        speed = std::max(speed - 1, 0);
        break;
    case Keyboard::RIGHT_BRACKET:
        speed = std::min(speed + 1, SPEED_COUNT - 1);
        break;
    case Keyboard::TAB:
        takeOver();
        break;
    default:
        break;
    }
}

void ReplayViewer::takeOver() {
    if (cursor.atEnd()) {
        return;
    }
    ReplaySession& session = ReplaySession::getInstance();
    if (session.takeOver(options.recordFile) != 0) {
        problem = session.getError();
        return;
    }
    takenOver = true;
    takeOverFrame = cursor.getFrame();
    paused = false;
}

void ReplayViewer::runToDifference() {
    const ReplaySession& session = ReplaySession::getInstance();
    const int last = cursor.getLastFrame();
    while (session.getMismatches() == 0 && cursor.getFrame() < last - 1 && cursor.step(false)) {
    }
    const int differs = session.getFirstMismatchFrame();
    if (differs < 0) {
        cursor.step(true);
        return;
    }
    difference = session.getFirstMismatch();
    // The frame in which the last checkpoint before the difference, which
    // matched, was taken.
    const int every = ReplaySession::CHECKPOINT_FRAMES;
    seekTo(differs > 0 ? (differs - 1) / every * every : 0);
}

void ReplayViewer::showStatus(bool keyPressed) {
    const std::string text = status();
    DisplayManager& display = DisplayManager::getInstance();
    if (text != shownStatus) {
        roomOutside = display.showStatus(text);
        shownStatus = text;
    }
    if (roomOutside) {
        return;
    }
    // No room outside the grid: over its last row, for a while after a key.
    const std::int64_t now = platform::monotonicMicros();
    if (keyPressed) {
        overlayUntil = now + OVERLAY_MICROS;
    }
    const std::string wanted = now < overlayUntil ? text : std::string();
    if (wanted != overlay) {
        overlay = wanted;
        display.setOverlay(overlay);
        if (paused) {
            display.reshow();
        }
    }
}

bool ReplayViewer::tick() {
    GameManager& game = GameManager::getInstance();
    if (takenOver) {
        const bool goesOn = game.step();
        showStatus(false);
        return goesOn;
    }
    std::vector<InputEvent> events;
    InputManager::getInstance().pollScreen(events);
    bool keyPressed = false;
    for (const InputEvent& event : events) {
        if (event.kind != InputEvent::Kind::KEY ||
            event.action != static_cast<int>(KeyboardAction::PRESSED)) {
            continue;
        }
        if (event.code == Keyboard::SEEK && !takenOver) {
            seekTo(event.x);
        } else {
            press(static_cast<Keyboard::Key>(event.code));
        }
        keyPressed = true;
    }
    if (game.getGameOver() || game.stopRequested()) {
        // Its window was closed, or a signal asked the program to end.
        ReplaySession::getInstance().stopReplay();
        return false;
    }
    const ReplaySession& session = ReplaySession::getInstance();
    if (!paused && !takenOver) {
        if (cursor.atEnd()) {
            return false;
        }
        credit += SPEEDS[speed];
        // Faster than the screen shows, the frames between are run unseen.
        for (; credit >= 4; credit -= 4) {
            if (!cursor.step(credit < 8)) {
                break;
            }
        }
    }
    if (!session.getFirstMismatch().empty() && difference.empty()) {
        difference = session.getFirstMismatch();
    }
    showStatus(keyPressed);
    return true;
}

void ReplayViewer::begin() {
    GameManager::getInstance().beginRun();
    if (options.stopAtDifference) {
        runToDifference();
        paused = true;
    } else if (options.frame >= 0) {
        seekTo(options.frame);
        paused = true;
    }
    showStatus(false);
}

void ReplayViewer::run() {
    GameManager& game = GameManager::getInstance();
    begin();
    const std::int64_t period = static_cast<std::int64_t>(game.getFrameTime()) * 1000;
    std::int64_t next = platform::monotonicMicros();
    while (tick()) {
        next = std::max(next + period, platform::monotonicMicros());
        platform::sleepUntilMicros(next);
        game.endWait();
    }
    game.setGameOver(true);
}

} // namespace qv
