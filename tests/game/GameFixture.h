#ifndef QV_TESTS_GAME_GAMEFIXTURE_H
#define QV_TESTS_GAME_GAMEFIXTURE_H

// A game world without a window: log, resources and world started, the
// shipped sprites loaded, frames driven by hand (step, then world update).

#include "core/EventStep.h"
#include "core/LogManager.h"
#include "resources/ResourceManager.h"
#include "world/Object.h"
#include "world/WorldManager.h"

#include "GameResources.h"

#include <gtest/gtest.h>

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

    /// Runs frames: the step event to every object, then the world update.
    void advance(int frames = 1) {
        for (int i = 0; i < frames; ++i) {
            step.setStepCount(stepCount++);
            world.onEvent(&step);
            world.update();
        }
    }

    /// How many objects of this type are in the world.
    int countOf(const std::string& type) const { return world.objectsOfType(type).getCount(); }

    /// The last object of this type, or null.
    template <typename T> T* lastOf(const std::string& type) const {
        const qv::ObjectList found = world.objectsOfType(type);
        return found.isEmpty() ? nullptr : static_cast<T*>(found[found.getCount() - 1]);
    }

    qv::WorldManager& world = qv::WorldManager::getInstance();
    qv::EventStep step;
    int stepCount = 1;
};

/// Records the game events that reach it, by type string.
class EventListener : public qv::Object {
public:
    EventListener() {
        setType("Listener");
        setSolidity(qv::Solidity::Intangible);
        setPosition(qv::Vector(-50, -50));
    }
    int eventHandler(const qv::Event* event) override;

    /// Events of this type received so far.
    int count(const std::string& type) const;

    std::vector<std::string> types;
    std::vector<int> viewAmounts;
    std::vector<bool> viewRelative;
    std::vector<std::string> viewLabels;
    std::vector<int> attackDamages;
};

#endif
