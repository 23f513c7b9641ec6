#include "SpriteViewer.h"

#include "SpriteLoadReport.h"

#include "qv/core/EventKeyboard.h"
#include "qv/core/EventStep.h"
#include "qv/core/GameManager.h"
#include "qv/display/DisplayManager.h"
#include "qv/resources/ResourceManager.h"
#include "qv/resources/Sprite.h"
#include "qv/world/WorldManager.h"

#include <SFML/Graphics/RenderWindow.hpp>

#include <sys/stat.h>

namespace {

// Size, modification time and inode: editors that save by renaming a new
// file over the old one change the inode even within one clock tick.
std::string stampOf(const std::string& path) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) {
        return "missing";
    }
    return std::to_string(status.st_size) + ":" + std::to_string(status.st_mtim.tv_sec) + "." +
           std::to_string(status.st_mtim.tv_nsec) + ":" + std::to_string(status.st_ino);
}

// The label a game would load the file under: "ship" for "Sprites/ship-spr.txt".
std::string labelOf(const std::string& path) {
    std::string name = path.substr(path.find_last_of('/') + 1);
    const std::string suffix = "-spr.txt";
    if (name.size() > suffix.size() &&
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0) {
        name.erase(name.size() - suffix.size());
    }
    return name;
}

// One message as rows of the grid: tabs become blanks, long ones wrap.
void appendRows(std::string message, int columns, std::vector<std::string>& rows) {
    std::string expanded;
    for (const char ch : message) {
        expanded += ch == '\t' ? std::string(4, ' ') : std::string(1, ch);
    }
    const std::size_t width = static_cast<std::size_t>(columns);
    do {
        rows.push_back(expanded.substr(0, width));
        expanded.erase(0, width);
    } while (!expanded.empty());
}

} // namespace

SpriteViewer::SpriteViewer(std::string filePath)
    : path(std::move(filePath)), label(labelOf(path)), sprite(nullptr), result(0), drawCountdown(0),
      shownFrame(0) {
    setType("SpriteViewer");
    setSolidity(qv::Solidity::Intangible);
    reload();
}

int SpriteViewer::eventHandler(const qv::Event* event) {
    if (event->getType() == qv::EventStep::TYPE) {
        const int step = static_cast<const qv::EventStep*>(event)->getStepCount();
        if (step % CHECK_EVERY == 0) {
            reloadIfChanged();
        }
        // The input manager closes the window when its close button is hit.
        const sf::RenderWindow* window = qv::DisplayManager::getInstance().getWindow();
        if (window == nullptr || !window->isOpen()) {
            qv::GameManager::getInstance().setGameOver();
        }
        return 1;
    }
    if (event->getType() == qv::EventKeyboard::TYPE) {
        const auto* key = static_cast<const qv::EventKeyboard*>(event);
        if (key->getKeyboardAction() != qv::KeyboardAction::RELEASED &&
            (key->getKey() == qv::Keyboard::Q || key->getKey() == qv::Keyboard::ESCAPE)) {
            qv::GameManager::getInstance().setGameOver();
        }
        return 1;
    }
    return 0;
}

bool SpriteViewer::reloadIfChanged() {
    if (stampOf(path) == fileStamp) {
        return false;
    }
    reload();
    return true;
}

void SpriteViewer::reload() {
    // The registry holds 100 sprites and never forgets one alone.
    qv::ResourceManager& resources = qv::ResourceManager::getInstance();
    resources.shutDown();
    resources.startUp();
    fileStamp = stampOf(path);
    const SpriteLoadReport report = SpriteLoadReport::load(path, label);
    result = report.result;
    sprite = result == 0 ? resources.getSprite(label) : nullptr;
    drawCountdown = 0;
    shownFrame = 0;
    messages.clear();
    if (sprite == nullptr) {
        const int columns = qv::DisplayManager::getInstance().getHorizontalChars();
        appendRows(path + ": not loaded (" + std::to_string(result) + ")", columns, messages);
        for (const std::string& note : report.notes) {
            appendRows(note, columns, messages);
        }
    }
}

int SpriteViewer::draw() {
    qv::DisplayManager& display = qv::DisplayManager::getInstance();
    const qv::Box view = qv::WorldManager::getInstance().getView();
    const int rows = display.getVerticalChars();
    if (sprite == nullptr) {
        for (std::size_t row = 0; row < messages.size() && static_cast<int>(row) < rows; ++row) {
            display.drawString(view.corner + qv::Vector(0, static_cast<float>(row)), messages[row],
                               qv::LEFT, qv::RED);
        }
        return 0;
    }
    const qv::Vector centre(view.horizontal / 2, (view.vertical - 1) / 2);
    sprite->drawFrame(shownFrame, view.corner + centre);
    // Advances like an object's animation: a new frame every slowdown draws.
    if (++drawCountdown >= sprite->getSlowdown()) {
        drawCountdown = 0;
        shownFrame = (shownFrame + 1) % sprite->getFrameCount();
    }
    display.drawString(view.corner + qv::Vector(view.horizontal / 2, view.vertical - 1),
                       statusLine(), qv::CENTER, qv::WHITE);
    return 0;
}

const qv::Sprite* SpriteViewer::getLoadedSprite() const {
    return sprite;
}

std::string SpriteViewer::statusLine() const {
    if (sprite == nullptr) {
        return "label: " + label + "  not loaded (" + std::to_string(result) + ")";
    }
    return "label: " + label + "  frames: " + std::to_string(sprite->getFrameCount()) +
           "  size: " + std::to_string(sprite->getWidth()) + " x " +
           std::to_string(sprite->getHeight()) +
           "  slowdown: " + std::to_string(sprite->getSlowdown());
}

const std::vector<std::string>& SpriteViewer::getMessages() const {
    return messages;
}
