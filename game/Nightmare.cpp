#include "Nightmare.h"

#include "GameEvents.h"
#include "GameRules.h"

#include "qv/core/EventStep.h"
#include "qv/core/EventView.h"
#include "qv/world/WorldManager.h"

namespace {

constexpr int MAX_LEVEL = 100;
constexpr int STEPS_PER_SCORE = 30;

} // namespace

Nightmare::Nightmare()
    : nightmareLevel(0), calmCountdown(30), calmSlowdown(30), dreadCountdown(30), dreadSlowdown(30),
      scoreCountdown(30), scoreSlowdown(30), hero(findHero()) {
    setType("Bed");
    setSprite("bed");
    setSolidity(qv::Solidity::Passable);
    const qv::Box boundary = qv::WorldManager::getInstance().getBoundary();
    setPosition(qv::Vector(boundary.horizontal / 2, boundary.vertical / 2));
}

int Nightmare::getNightmareLevel() const {
    return nightmareLevel;
}

int Nightmare::eventHandler(const qv::Event* event) {
    const std::string type = event->getType();
    if (type == qv::EventStep::TYPE) {
        const bool heroInBed =
            hero != nullptr && qv::boxesIntersect(hero->getWorldBox(), getWorldBox());
        if (heroInBed) {
            sleepStep(static_cast<const qv::EventStep*>(event)->getStepCount());
        } else {
            awakeStep();
        }
        return 1;
    }
    if (type == EventEnd::TYPE) {
        removeLater(this);
    }
    return 0;
}

void Nightmare::sleepStep(int stepCount) {
    setSprite("bed-sleeping");
    // The calm countdown lets the level fall once every 31 steps.
    if (calmCountdown > 0) {
        --calmCountdown;
    } else {
        calmCountdown = calmSlowdown;
        if (nightmareLevel > 0) {
            --nightmareLevel;
        }
    }
    if (--scoreCountdown <= 0) {
        scoreCountdown = scoreSlowdown;
        broadcast(EventScore());
    }
    broadcast(qv::EventView("Nightmare", nightmareLevel, false));
    broadcast(EventBed(true));
    if (stepCount % STEPS_PER_SCORE == 0) {
        broadcast(qv::EventView("Score", 1, true));
    }
}

void Nightmare::awakeStep() {
    setSprite("bed");
    if (--dreadCountdown <= 0) {
        dreadCountdown = dreadSlowdown;
        nightmareLevel = nightmareLevel <= MAX_LEVEL - 1 ? nightmareLevel + 1 : MAX_LEVEL;
    }
    broadcast(qv::EventView("Nightmare", nightmareLevel, false));
    broadcast(EventBed(false));
}
