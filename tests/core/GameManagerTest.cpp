// The frame loop: order of a frame's phases, step counts, ending the loop, the
// sleep rule, the broadcast and the drawing pass, with time faked.
#include "qv/core/GameManager.h"
#include "qv/core/EventStep.h"
#include "qv/core/LogManager.h"
#include "qv/world/WorldManager.h"
#include "support/RecordingObject.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using qvtest::RecordingObject;

std::int64_t fakeNow = 0;
std::vector<std::int64_t> sleeps;

int stepCountOf(const qv::Event* event) {
    return event->getType() == qv::EventStep::TYPE
               ? static_cast<const qv::EventStep*>(event)->getStepCount()
               : -1;
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
        game.setTiming([] { return fakeNow; },
                       [](std::int64_t wakeAt) {
                           sleeps.push_back(wakeAt - fakeNow);
                           fakeNow = wakeAt;
                       });
        game.setGameOver(false);
    }
    void TearDown() override {
        world.shutDown();
        game.setTiming(nullptr, nullptr);
    }

    // An object that notes the step counts and ends the loop at lastStep.
    RecordingObject* stopperAt(int lastStep, std::vector<int>* counts = nullptr) {
        auto* stopper = new RecordingObject;
        stopper->setAltitude(-1);
        stopper->onEvent = [lastStep, counts](RecordingObject&, const qv::Event* event) {
            if (counts != nullptr && stepCountOf(event) >= 0) {
                counts->push_back(stepCountOf(event));
            }
            if (stepCountOf(event) == lastStep) {
                qv::GameManager::getInstance().setGameOver(true);
            }
        };
        return stopper;
    }

    qv::GameManager& game = qv::GameManager::getInstance();
    qv::WorldManager& world = qv::WorldManager::getInstance();
};

TEST_F(GameLoop, RunsStepUpdateDrawEachFrameAndStopsAfterTheFrameThatSetGameOver) {
    std::vector<std::string> journal;
    auto* mover = new RecordingObject(&journal);
    mover->setPosition(qv::Vector(10, 5));
    mover->setVelocity(qv::Vector(0.25f, 0));
    auto* wall = new RecordingObject;
    wall->setPosition(qv::Vector(11, 5));
    wall->setSolidity(qv::Solidity::Passable);
    std::vector<int> counts;
    stopperAt(1, &counts);

    game.run();
    const std::string id = std::to_string(mover->getId());
    EXPECT_EQ(journal,
              std::vector<std::string>({id + ":qv::step", id + ":qv::collision", id + ":draw",
                                        id + ":qv::step", id + ":qv::collision", id + ":draw"}));
    // The frame that set the flag still slept; a new run counts from 0 again.
    EXPECT_EQ(sleeps.size(), 2u);
    game.setGameOver(false);
    game.run();
    EXPECT_EQ(counts, std::vector<int>({0, 1, 0, 1}));

    // With the flag already set no frame runs.
    game.run();
    EXPECT_EQ(counts.size(), 4u);
    EXPECT_EQ(sleeps.size(), 4u);
}

TEST_F(GameLoop, SleepsTheRestOfTheFrameOrAFullFrameAfterAnOverrun) {
    const std::int64_t workMicros[] = {10000, 33000, 40000, 32999, 0};
    auto* worker = stopperAt(4);
    worker->onEvent = [&workMicros, stop = worker->onEvent](RecordingObject& self,
                                                            const qv::Event* event) {
        if (stepCountOf(event) >= 0) {
            fakeNow += workMicros[stepCountOf(event)];
        }
        stop(self, event);
    };
    game.run();
    // Exact to the microsecond: 32.999 ms of work leaves 1 us.
    EXPECT_EQ(sleeps, std::vector<std::int64_t>({23000, 0, 33000, 1, 33000}));

    // The same frames as the statistics saw them on the loop's time source.
    const qv::FrameStats& stats = game.getFrameStats();
    EXPECT_EQ(stats.figures(qv::FramePhase::STEP).maxMicros, 40000);
    EXPECT_EQ(stats.figures(qv::FramePhase::SLEEP).maxMicros, 33000);
    EXPECT_EQ(stats.figures(qv::FramePhase::PERIOD).frames, 5);
    EXPECT_DOUBLE_EQ(stats.figures(qv::FramePhase::PERIOD).meanMicros, (4 * 33000 + 73000) / 5.0);
}

// Frames handed their display's refresh times: the period runs from refresh
// to refresh however late each call came; untimed, nothing is measured.
TEST_F(GameLoop, FramesStartedAtARefreshAreTimedFromRefreshToRefresh) {
    for (const bool timed : {true, false}) {
        game.setTimed(timed);
        game.beginRun();
        // Refreshes 33,333 us apart; the calls come 0 to 9 ms after them.
        const std::int64_t lates[] = {0, 9000, 2000, 0};
        for (int frame = 0; frame < 4; ++frame) {
            const std::int64_t refresh = 2000000 + frame * 33333;
            fakeNow = refresh + lates[frame];
            game.startNextFrameAt(refresh);
            if (frame > 0) {
                game.endWait();
            }
            game.step();
            fakeNow += 500;
        }
        const qv::PhaseFigures period = game.getFrameStats().figures(qv::FramePhase::PERIOD);
        EXPECT_EQ(period.frames, timed ? 3 : 0);
        EXPECT_EQ(period.maxMicros, timed ? 33333 : 0);
        EXPECT_EQ(game.getFrameStats().figures(qv::FramePhase::STEP).maxMicros, timed ? 9000 : 0);
    }
    game.setTimed(true);
}

TEST_F(GameLoop, DrawsAltitudesZeroToFourInOrderAndOnlyObjectsTouchingTheView) {
    std::vector<std::string> journal;
    const auto makeAt = [&](int altitude, qv::Vector position) {
        auto* object = new RecordingObject(&journal);
        object->setAltitude(altitude);
        object->setPosition(position);
        return std::to_string(object->getId()) + ":draw";
    };
    const std::string high = makeAt(4, qv::Vector(1, 1));
    const std::string low = makeAt(0, qv::Vector(2, 2));
    makeAt(5, qv::Vector(3, 3));
    makeAt(-1, qv::Vector(3, 3));
    const std::string touching = makeAt(2, qv::Vector(80, 24)); // corner on the view's corner
    makeAt(2, qv::Vector(81, 10));                              // wholly outside
    stopperAt(0);

    game.run();
    std::vector<std::string> draws;
    for (const std::string& entry : journal) {
        if (entry.find(":draw") != std::string::npos) {
            draws.push_back(entry);
        }
    }
    EXPECT_EQ(draws, std::vector<std::string>({low, touching, high}));
}

TEST_F(GameLoop, BroadcastGoesOverASnapshotOfTheWorld) {
    const qv::EventStep step;
    RecordingObject* spawned = nullptr;
    auto* spawner = new RecordingObject;
    spawner->onEvent = [&spawned](RecordingObject&, const qv::Event*) {
        spawned = spawned != nullptr ? spawned : new RecordingObject;
    };
    int destroyed = 0;
    auto* selfDeleting = new RecordingObject;
    selfDeleting->destroyedCount = &destroyed;
    selfDeleting->onEvent = [](RecordingObject& self, const qv::Event*) { delete &self; };
    auto* last = new RecordingObject;

    // All three present at the start receive it, the one created meanwhile
    // does not, and deleting oneself is safe.
    EXPECT_EQ(world.onEvent(&step), 3);
    ASSERT_NE(spawned, nullptr);
    EXPECT_TRUE(spawned->received.empty());
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(last->received.size(), 1u);
    EXPECT_EQ(world.getAllObjects().getCount(), 3);
}

} // namespace
