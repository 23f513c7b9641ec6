// The frame loop: order of a frame's phases, step counts, ending the loop,
// the sleep rule, the broadcast and the drawing pass. Time is faked, so no
// test waits for real frames.
#include "core/GameManager.h"
#include "core/EventStep.h"
#include "core/LogManager.h"
#include "support/RecordingObject.h"
#include "world/WorldManager.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using qvtest::RecordingObject;

std::int64_t fakeNow = 0;
std::vector<std::int64_t> sleeps;

std::int64_t fakeTime() {
    return fakeNow;
}

void fakeSleepUntil(std::int64_t wakeAt) {
    sleeps.push_back(wakeAt - fakeNow);
    fakeNow = wakeAt;
}

bool isStep(const qv::Event* event) {
    return event->getType() == qv::EventStep::TYPE;
}

int stepCountOf(const qv::Event* event) {
    return static_cast<const qv::EventStep*>(event)->getStepCount();
}

class GameLoop : public ::testing::Test {
protected:
    void SetUp() override {
        fakeNow = 1000000;
        sleeps.clear();
        qv::LogManager::getInstance().startUp();
        world.startUp();
        world.setBoundary(qv::Box(qv::Vector(), 80, 24));
        world.setView(qv::Box(qv::Vector(), 80, 24));
        game.setTiming(fakeTime, fakeSleepUntil);
        game.setGameOver(false);
    }
    void TearDown() override {
        world.shutDown();
        game.setTiming(nullptr, nullptr);
    }

    /// An object that ends the loop in the step with this count.
    RecordingObject* stopperAt(int lastStep) {
        auto* stopper = new RecordingObject;
        stopper->setAltitude(-1);
        stopper->onEvent = [lastStep](RecordingObject&, const qv::Event* event) {
            if (isStep(event) && stepCountOf(event) == lastStep) {
                qv::GameManager::getInstance().setGameOver(true);
            }
        };
        return stopper;
    }

    qv::GameManager& game = qv::GameManager::getInstance();
    qv::WorldManager& world = qv::WorldManager::getInstance();
};

TEST_F(GameLoop, RunsStepThenUpdateThenDrawEveryFrameAndStopsAfterTheFrameThatSetGameOver) {
    std::vector<std::string> journal;
    auto* mover = new RecordingObject(&journal);
    mover->setPosition(qv::Vector(10, 5));
    mover->setVelocity(qv::Vector(0.25f, 0));
    auto* wall = new RecordingObject;
    wall->setPosition(qv::Vector(11, 5));
    wall->setSolidity(qv::Solidity::Passable);
    auto* stopper = stopperAt(1);
    std::vector<int> stepCounts;
    stopper->onEvent = [&stepCounts](RecordingObject&, const qv::Event* event) {
        if (isStep(event)) {
            stepCounts.push_back(stepCountOf(event));
            if (stepCountOf(event) == 1) {
                qv::GameManager::getInstance().setGameOver(true);
            }
        }
    };

    game.run();

    const std::string id = std::to_string(mover->getId());
    const std::vector<std::string> expected = {
        id + ":qv::step", id + ":qv::collision", id + ":draw",
        id + ":qv::step", id + ":qv::collision", id + ":draw",
    };
    EXPECT_EQ(journal, expected);
    EXPECT_EQ(stepCounts, (std::vector<int>{0, 1}));
    // The frame that set the flag still slept.
    EXPECT_EQ(sleeps.size(), 2u);
}

TEST_F(GameLoop, RunWithGameOverAlreadySetRunsNoFrame) {
    auto* watcher = new RecordingObject;
    game.setGameOver(true);
    game.run();
    EXPECT_TRUE(watcher->received.empty());
    EXPECT_TRUE(sleeps.empty());
}

TEST_F(GameLoop, StepCountRestartsAtZeroOnEveryRun) {
    auto* counter = new RecordingObject;
    std::vector<int> counts;
    counter->onEvent = [&counts](RecordingObject&, const qv::Event* event) {
        if (isStep(event)) {
            counts.push_back(stepCountOf(event));
            if (stepCountOf(event) == 2) {
                qv::GameManager::getInstance().setGameOver(true);
            }
        }
    };
    game.run();
    game.setGameOver(false);
    game.run();
    EXPECT_EQ(counts, (std::vector<int>{0, 1, 2, 0, 1, 2}));
}

TEST_F(GameLoop, SleepsTheRestOfTheFrameOrAFullFrameAfterAnOverrun) {
    const std::vector<std::int64_t> workMicros = {10000, 33000, 40000, 32999, 0};
    auto* worker = new RecordingObject;
    int frame = 0;
    worker->onEvent = [&](RecordingObject&, const qv::Event* event) {
        if (!isStep(event)) {
            return;
        }
        fakeNow += workMicros[static_cast<std::size_t>(frame)];
        if (++frame == static_cast<int>(workMicros.size())) {
            qv::GameManager::getInstance().setGameOver(true);
        }
    };

    game.run();

    // Sleeps are exact to the microsecond: 32.999 ms of work leaves 1 us.
    EXPECT_EQ(sleeps, (std::vector<std::int64_t>{23000, 0, 33000, 1, 33000}));
}

TEST_F(GameLoop, DrawsAltitudesZeroToFourInOrderAndOnlyObjectsTouchingTheView) {
    std::vector<std::string> journal;
    auto makeAt = [&](int altitude, qv::Vector position) {
        auto* object = new RecordingObject(&journal);
        object->setAltitude(altitude);
        object->setPosition(position);
        return object->getId();
    };
    const int high = makeAt(4, qv::Vector(1, 1));
    const int low = makeAt(0, qv::Vector(2, 2));
    makeAt(5, qv::Vector(3, 3));
    makeAt(-1, qv::Vector(3, 3));
    const int touching = makeAt(2, qv::Vector(80, 24)); // box corner on the view's far corner
    makeAt(2, qv::Vector(81, 10));                      // wholly outside
    stopperAt(0);

    game.run();

    std::vector<std::string> draws;
    for (const std::string& entry : journal) {
        if (entry.find(":draw") != std::string::npos) {
            draws.push_back(entry);
        }
    }
    const std::vector<std::string> expected = {std::to_string(low) + ":draw",
                                               std::to_string(touching) + ":draw",
                                               std::to_string(high) + ":draw"};
    EXPECT_EQ(draws, expected);
}

TEST_F(GameLoop, BroadcastGoesOverASnapshotOfTheWorld) {
    const qv::EventStep stepEvent;
    EXPECT_EQ(game.onEvent(&stepEvent), 0);

    auto* spawner = new RecordingObject;
    RecordingObject* spawned = nullptr;
    spawner->onEvent = [&spawned](RecordingObject&, const qv::Event*) {
        if (spawned == nullptr) {
            spawned = new RecordingObject;
        }
    };
    int destroyed = 0;
    auto* selfDeleting = new RecordingObject;
    selfDeleting->destroyedCount = &destroyed;
    selfDeleting->onEvent = [](RecordingObject& self, const qv::Event*) { delete &self; };
    auto* last = new RecordingObject;

    // Three objects at the start of the broadcast: all three receive it, the
    // one created meanwhile does not, and deleting oneself is safe.
    EXPECT_EQ(world.onEvent(&stepEvent), 3);
    ASSERT_NE(spawned, nullptr);
    EXPECT_TRUE(spawned->received.empty());
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(last->received.size(), 1u);
    EXPECT_EQ(world.getAllObjects().getCount(), 3);
}

} // namespace
