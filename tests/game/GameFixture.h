#ifndef QV_TESTS_GAME_GAMEFIXTURE_H
#define QV_TESTS_GAME_GAMEFIXTURE_H

// A game world without a window: log, resources and world started, the
// shipped sprites loaded, frames driven by hand (step, then world update).

#include "qv/core/EventKeyboard.h"
#include "qv/core/EventStep.h"
#include "qv/core/EventView.h"
#include "qv/core/LogManager.h"
#include "qv/resources/ResourceManager.h"
#include "qv/world/Object.h"
#include "qv/world/WorldManager.h"

#include "GameEvents.h"
#include "GameResources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

class GameFixture : public ::testing::Test {
protected:
    void SetUp() override {
        qv::LogManager::getInstance().startUp();
        qv::LogManager::getInstance().setFlush(true);
        qv::ResourceManager::getInstance().startUp();
        world.startUp();
        world.setBoundary(qv::Box(qv::Vector(), 80, 24));
        world.setView(qv::Box(qv::Vector(), 80, 24));
        loadGameResources();
    }
    void TearDown() override {
        world.shutDown();
        qv::ResourceManager::getInstance().shutDown();
        qv::LogManager::getInstance().shutDown();
    }

    // Runs frames: the step event to every object, then the world update.
    void advance(int frames = 1) {
        for (int i = 0; i < frames; ++i) {
            step.setStepCount(stepCount++);
            world.onEvent(&step);
            world.update();
        }
    }

    void key(qv::Keyboard::Key key, qv::KeyboardAction action = qv::KeyboardAction::HELD) {
        qv::EventKeyboard event;
        event.setKey(key);
        event.setKeyboardAction(action);
        world.onEvent(&event);
    }

    int countOf(const std::string& type) const { return world.objectsOfType(type).getCount(); }

    // The last object of this type, or null.
    template <typename T> T* lastOf(const std::string& type) const {
        const qv::ObjectList found = world.objectsOfType(type);
        return found.isEmpty() ? nullptr : static_cast<T*>(found[found.getCount() - 1]);
    }

    qv::WorldManager& world = qv::WorldManager::getInstance();
    qv::EventStep step;
    int stepCount = 1;
};

// An event as a listener heard it; amount is a view's amount or an attack's damage.
struct Heard {
    std::string type, label;
    int amount;
    bool relative;
};

// Notes every event that reaches it.
class EventListener : public qv::Object {
public:
    EventListener() {
        setType("Listener");
        setSolidity(qv::Solidity::Intangible);
        setPosition(qv::Vector(-50, -50));
    }
    int eventHandler(const qv::Event* event) override {
        Heard entry{event->getType(), "", 0, false};
        if (entry.type == "qv::view") {
            const auto* view = static_cast<const qv::EventView*>(event);
            entry = {entry.type, view->getLabel(), view->getAmount(), view->isRelative()};
        } else if (entry.type == EventEnemyAttack::TYPE) {
            entry.amount = static_cast<const EventEnemyAttack*>(event)->getDamage();
        } else if (entry.type == EventHeroAttack::TYPE) {
            entry.amount = static_cast<const EventHeroAttack*>(event)->getDamage();
        }
        heard.push_back(entry);
        return 0;
    }
    // Events of this type (and view label, if given) heard so far.
    int count(const std::string& type, const std::string& label = "") const {
        return static_cast<int>(std::count_if(heard.begin(), heard.end(), [&](const Heard& h) {
            return h.type == type && (label.empty() || h.label == label);
        }));
    }
    // The last event of this type; it must have come.
    Heard last(const std::string& type = qv::EventView::TYPE) const {
        const auto found = std::find_if(heard.rbegin(), heard.rend(),
                                        [&](const Heard& h) { return h.type == type; });
        EXPECT_NE(found, heard.rend()) << "no " << type;
        return found == heard.rend() ? Heard{} : *found;
    }

    std::vector<Heard> heard;
};

#endif
