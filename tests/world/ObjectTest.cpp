// Object identity, defaults, velocity and boxes.
#include "world/Object.h"
#include "world/WorldManager.h"

#include <gtest/gtest.h>

namespace {

class Objects : public ::testing::Test {
protected:
    void SetUp() override { world.startUp(); }
    void TearDown() override { world.shutDown(); }
    qv::WorldManager& world = qv::WorldManager::getInstance();
};

TEST_F(Objects, GetConsecutiveIdsAndTheDefaults) {
    auto* first = new qv::Object;
    auto* second = new qv::Object;
    EXPECT_EQ(second->getId(), first->getId() + 1);

    EXPECT_EQ(first->getType(), "Object");
    EXPECT_EQ(first->getPosition(), qv::Vector(0, 0));
    EXPECT_EQ(first->getAltitude(), 2);
    EXPECT_EQ(first->getSpeed(), 0.0f);
    EXPECT_EQ(first->getDirection(), qv::Vector(0, 0));
    EXPECT_EQ(first->getSolidity(), qv::Solidity::Solid);
    EXPECT_EQ(first->getSprite(), nullptr);
    EXPECT_EQ(first->draw(), -1);

    first->setPosition(qv::Vector(4, 7));
    const qv::Box box = first->getWorldBox();
    EXPECT_EQ(box.corner, qv::Vector(4, 7));
    EXPECT_EQ(box.horizontal, 1.0f);
    EXPECT_EQ(box.vertical, 1.0f);
}

TEST_F(Objects, VelocityIsSplitIntoSpeedAndUnitDirection) {
    auto* object = new qv::Object;
    object->setVelocity(qv::Vector(3, 4));
    EXPECT_FLOAT_EQ(object->getSpeed(), 5.0f);
    EXPECT_FLOAT_EQ(object->getDirection().x, 0.6f);
    EXPECT_FLOAT_EQ(object->getDirection().y, 0.8f);

    object->setVelocity(qv::Vector(0, 0));
    EXPECT_EQ(object->getSpeed(), 0.0f);
    EXPECT_EQ(object->getDirection(), qv::Vector(0, 0));

    // The speed alone changes, the direction stays: 2 cells up per step.
    object->setVelocity(qv::Vector(0, -1));
    object->setSpeed(2);
    object->setPosition(qv::Vector(5, 10));
    world.update();
    EXPECT_EQ(object->getPosition(), qv::Vector(5, 8));
}

TEST(Boxes, IntersectOnClosedIntervals) {
    const qv::Box unit(qv::Vector(10, 5), 1, 1);
    struct Case {
        qv::Box other;
        bool intersects;
    };
    const Case cases[] = {
        {qv::Box(qv::Vector(11, 5), 1, 1), true}, // shares an edge
        {qv::Box(qv::Vector(11, 6), 1, 1), true}, // shares a corner
        {qv::Box(qv::Vector(11.01f, 5), 1, 1), false},
        {qv::Box(qv::Vector(10.5f, 5.5f), 0, 0), true}, // a point inside
        {qv::Box(qv::Vector(5, 0), 20, 20), true},      // contains it
        {qv::Box(qv::Vector(10, 7), 1, 1), false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(qv::boxesIntersect(unit, c.other), c.intersects)
            << c.other.corner.x << "," << c.other.corner.y;
        EXPECT_EQ(qv::boxesIntersect(c.other, unit), c.intersects);
    }
}

} // namespace
