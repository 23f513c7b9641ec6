#include "GameOver.h"

#include "GameEvents.h"
#include "GameRules.h"
#include "GameStart.h"

#include "qv/core/EventStep.h"
#include "qv/display/DisplayManager.h"

#include <string>

namespace {

constexpr float TEXT_CENTRE_COLUMN = 40;
constexpr float FIRST_TEXT_ROW = 11;

} // namespace

GameOver::GameOver() : timeToLive(150), secondsSlept(0), ended(false) {
    setType("GameOver");
    setLocation(qv::CENTER_CENTER);
}

GameOver::~GameOver() {
    new GameStart;
}

int GameOver::getSecondsSlept() const {
    return secondsSlept;
}

int GameOver::getTimeToLive() const {
    return timeToLive;
}

bool GameOver::isEnded() const {
    return ended;
}

int GameOver::draw() {
    return qv::Object::draw();
}

int GameOver::eventHandler(const qv::Event* event) {
    const std::string type = event->getType();
    if (type == qv::EventStep::TYPE) {
        if (ended) {
            --timeToLive;
        }
        if (timeToLive < 1) {
            removeLater(this);
        }
        drawEndText();
        return 1;
    }
    if (type == EventScore::TYPE) {
        ++secondsSlept;
    } else if (type == EventEnd::TYPE) {
        ended = true;
    }
    return 0;
}

void GameOver::drawEndText() {
    if (!ended) {
        return;
    }
    const std::string lines[] = {"Conratulations!",
                                 "You Slept For:", qv::toString(secondsSlept) + " seconds"};
    qv::DisplayManager& display = qv::DisplayManager::getInstance();
    float row = FIRST_TEXT_ROW;
    for (const std::string& line : lines) {
        const int half = static_cast<int>(line.size()) / 2;
        for (std::size_t i = 0; i < line.size(); ++i) {
            const float column =
                TEXT_CENTRE_COLUMN - static_cast<float>(half) + static_cast<float>(i);
            display.drawCh(qv::Vector(column, row), line[i], qv::RED);
        }
        row += 1;
    }
}
