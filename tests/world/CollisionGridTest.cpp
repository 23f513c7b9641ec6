// The collision grid must find exactly what a scan of every object finds: a
// random world run with each must give the same events, order and positions.
#include "AllPairsScan.h"

#include "qv/core/EventCollision.h"
#include "qv/core/EventOut.h"
#include "qv/core/EventStep.h"
#include "qv/core/LogManager.h"
#include "qv/resources/ResourceManager.h"
#include "support/TestSupport.h"
#include "qv/world/Object.h"
#include "qv/world/WorldManager.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

// What one run records, shared by its agents.
struct WorldRun {
    std::mt19937 random;
    int nextSerial = 0;
    std::vector<std::string> journal;

    explicit WorldRun(unsigned seed) : random(seed) {}
    int roll(int sides) { return static_cast<int>(random() % static_cast<unsigned>(sides)); }
    float between(float low, float high) {
        return low + (high - low) * static_cast<float>(random() % 10000) / 10000.0f;
    }
};

const char* const SIZES[] = {"", "dot", "wide", "tall", "bed"};

// Does random things when events reach it: deletes itself or what it hits,
// spawns others, jumps, changes solidity and sprite.
class Agent : public qv::Object {
    WorldRun& run;

public:
    Agent(WorldRun& run, qv::Vector where) : run(run), serial(run.nextSerial++) {
        const int solidity = run.roll(10);
        setSolidity(solidity < 5   ? qv::Solidity::Solid
                    : solidity < 9 ? qv::Solidity::Passable
                                   : qv::Solidity::Intangible);
        const char* size = SIZES[run.roll(5)];
        if (*size != '\0') {
            setSprite(size);
        }
        setPosition(where);
        steer();
    }

    int eventHandler(const qv::Event* event) override {
        const std::string type = event->getType();
        std::ostringstream note;
        note << serial << ' ' << type;
        if (type == qv::EventCollision::TYPE) {
            const auto* collision = static_cast<const qv::EventCollision*>(event);
            auto* other =
                static_cast<Agent*>(collision->getObject1() == this ? collision->getObject2()
                                                                    : collision->getObject1());
            note << " with " << other->serial << " at " << collision->getPosition().x << ','
                 << collision->getPosition().y;
            run.journal.push_back(note.str());
            act(other);
        } else if (type == qv::EventOut::TYPE) {
            run.journal.push_back(note.str());
            if (run.roll(10) < 7) {
                qv::WorldManager::getInstance().markForDelete(this);
            } else {
                setVelocity(getVelocity() * -1.0f);
            }
        } else if (type == qv::EventStep::TYPE && run.roll(20) == 0) {
            steer();
        }
        return 1;
    }

    int serial;

private:
    void steer() {
        const bool resting = run.roll(6) == 0;
        setVelocity(resting ? qv::Vector()
                            : qv::Vector(run.between(-1.5f, 1.5f), run.between(-1.0f, 1.0f)));
    }

    void act(Agent* other) {
        const int choice = run.roll(40);
        if (choice < 2) {
            qv::WorldManager::getInstance().markForDelete(choice == 0 ? this : other);
        } else if (choice == 2) {
            new Agent(run, getPosition() + qv::Vector(run.between(-3, 3), run.between(-3, 3)));
        } else if (choice == 3) {
            setPosition(qv::Vector(run.between(-5, 85), run.between(-5, 29)));
        } else if (choice == 4) {
            setSolidity(getSolidity() == qv::Solidity::Solid ? qv::Solidity::Passable
                                                             : qv::Solidity::Solid);
        } else if (choice == 5) {
            setSprite(SIZES[1 + run.roll(4)]);
        }
    }
};

class CollisionGrid : public ::testing::Test {
protected:
    void SetUp() override {
        qv::LogManager::getInstance().startUp();
        qv::ResourceManager::getInstance().startUp();
        ASSERT_EQ(qvtest::loadTestSprite("dot", 1, 1, 1), 0);
        ASSERT_EQ(qvtest::loadTestSprite("wide", 1, 7, 2), 0);
        ASSERT_EQ(qvtest::loadTestSprite("tall", 1, 2, 5), 0);
        ASSERT_EQ(qvtest::loadTestSprite("bed", 1, 19, 5), 0);
    }
    void TearDown() override {
        qv::WorldManager::getInstance().setCollisionScan(nullptr);
        qv::ResourceManager::getInstance().shutDown();
    }

    // A random world's journal, ending with the positions.
    static std::vector<std::string> play(unsigned seed, int steps, bool allPairs) {
        qv::WorldManager& world = qv::WorldManager::getInstance();
        world.startUp();
        world.setBoundary(qv::Box(qv::Vector(), 80, 24));
        world.setCollisionScan(allPairs ? qvbench::allPairsCollisions : nullptr);
        WorldRun run(seed);
        const int population = 20 + run.roll(300);
        for (int i = 0; i < population; ++i) {
            new Agent(run, qv::Vector(run.between(-2, 82), run.between(-2, 26)));
        }
        qv::EventStep step;
        for (int i = 0; i < steps; ++i) {
            step.setStepCount(i);
            world.onEvent(&step);
            world.update();
            // Now and then the world fills up again.
            if (run.roll(10) == 0) {
                new Agent(run, qv::Vector(run.between(0, 80), run.between(0, 24)));
            }
        }
        const qv::ObjectList left = world.getAllObjects();
        for (int i = 0; i < left.getCount(); ++i) {
            const auto* agent = static_cast<const Agent*>(left[i]);
            std::ostringstream where;
            where << agent->serial << " ends at " << agent->getPosition().x << ','
                  << agent->getPosition().y;
            run.journal.push_back(where.str());
        }
        world.shutDown();
        return run.journal;
    }
};

TEST_F(CollisionGrid, FindsTheSameCollisionsAsTheAllPairsScanInRandomWorlds) {
    std::size_t events = 0;
    for (unsigned seed = 1; seed <= 20; ++seed) {
        const std::vector<std::string> withGrid = play(seed, 200, false);
        const std::vector<std::string> withScan = play(seed, 200, true);
        ASSERT_EQ(withGrid.size(), withScan.size()) << "seed " << seed;
        for (std::size_t i = 0; i < withGrid.size(); ++i) {
            ASSERT_EQ(withGrid[i], withScan[i]) << "seed " << seed << ", entry " << i;
        }
        events += withGrid.size();
    }
    // The worlds were busy enough to mean something.
    EXPECT_GT(events, 20000u);
}

TEST_F(CollisionGrid, FindsBoxesThatOnlyTouchAcrossCellEdgesAndFarAway) {
    qv::WorldManager& world = qv::WorldManager::getInstance();
    world.startUp();
    // 1 x 1 boxes touching along a grid line (x = 4, cells are 2 wide) from
    // either side, at a corner on grid lines, and far outside.
    const std::pair<qv::Vector, qv::Vector> cases[] = {
        {{4, 0}, {3, 0}},      {{3, 0}, {4, 0}},       {{1, 1}, {2, 2}},
        {{-7, -9}, {-8, -10}}, {{1e7f, 5}, {1e7f, 5}}, {{-1e9f, 0}, {-1e9f, 0.5f}}};
    for (const auto& c : cases) {
        qv::Object still;
        still.setPosition(c.first);
        qv::Object mover;
        mover.setSolidity(qv::Solidity::Passable);
        const qv::ObjectList hits = world.getCollisions(&mover, c.second);
        ASSERT_EQ(hits.getCount(), 1) << c.second.x << ',' << c.second.y;
        EXPECT_EQ(hits[0], &still);
    }
    world.shutDown();
}

} // namespace
