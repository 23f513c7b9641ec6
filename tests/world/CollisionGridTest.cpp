// The collision grid must find exactly what a scan of every object finds.
#include "AllPairsScan.h"

#include "qv/core/LogManager.h"
#include "qv/resources/ResourceManager.h"
#include "qv/world/Object.h"
#include "qv/world/WorldManager.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

const char* const SIZES[] = {"", "dot", "wide", "tall", "bed"};

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
    void TearDown() override { qv::ResourceManager::getInstance().shutDown(); }
};

// Random worlds whose objects move, jump, change size and solidity, and go:
// every lookup must give what a scan of every object gives, in its order.
TEST_F(CollisionGrid, FindsTheSameCollisionsAsTheAllPairsScanInRandomWorlds) {
    qv::WorldManager& world = qv::WorldManager::getInstance();
    std::size_t found = 0;
    for (unsigned seed = 1; seed <= 20; ++seed) {
        std::mt19937 random(seed);
        const auto roll = [&](int sides) {
            return static_cast<int>(random() % static_cast<unsigned>(sides));
        };
        const auto between = [&](float low, float high) {
            return low + (high - low) * static_cast<float>(random() % 10000) / 10000.0f;
        };
        const qv::Solidity solidities[] = {qv::Solidity::Solid, qv::Solidity::Passable,
                                           qv::Solidity::Intangible};
        world.startUp();
        world.setBoundary(qv::Box(qv::Vector(), 80, 24));
        std::vector<qv::Object*> objects;
        const auto spawn = [&] {
            auto* object = new qv::Object;
            object->setSolidity(solidities[roll(3)]);
            object->setSprite(SIZES[roll(5)]);
            object->setPosition(qv::Vector(between(-5, 85), between(-5, 29)));
            objects.push_back(object);
        };
        for (int i = 20 + roll(300); i > 0; --i) {
            spawn();
        }
        for (int round = 0; round < 3000; ++round) {
            const std::size_t which =
                static_cast<std::size_t>(roll(static_cast<int>(objects.size())));
            qv::Object* object = objects[which];
            const qv::Vector to =
                object->getPosition() + qv::Vector(between(-3, 3), between(-2, 2));
            const qv::ObjectList withGrid = world.getCollisions(object, to);
            const qv::ObjectList withScan = qvbench::allPairsCollisions(object, to);
            ASSERT_EQ(withGrid.getCount(), withScan.getCount()) << seed << ", round " << round;
            for (int i = 0; i < withGrid.getCount(); ++i) {
                ASSERT_EQ(withGrid[i], withScan[i]) << seed << ", round " << round;
            }
            found += static_cast<std::size_t>(withGrid.getCount());
            const int choice = roll(20);
            if (choice < 12) {
                world.moveObject(object, to);
            } else if (choice < 14) {
                object->setPosition(qv::Vector(between(-5, 85), between(-5, 29)));
            } else if (choice < 16) {
                object->setSprite(SIZES[1 + roll(4)]);
            } else if (choice < 18) {
                object->setSolidity(solidities[roll(3)]);
            } else {
                delete object;
                objects.erase(objects.begin() + static_cast<std::ptrdiff_t>(which));
                spawn();
            }
        }
        world.shutDown();
    }
    // The worlds were busy enough to mean something.
    EXPECT_GT(found, 20000u);
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
