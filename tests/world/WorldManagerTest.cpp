// Objects and the world: identity and velocity, collisions and blocking,
// out-of-world events, deferred deletion, the capacity of the object list,
// lookups by type and the followed view.
#include "qv/world/WorldManager.h"
#include "qv/core/EventCollision.h"
#include "qv/core/EventStep.h"
#include "support/RecordingObject.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using qvtest::RecordingObject;

class World : public ::testing::Test {
protected:
    void SetUp() override {
        world.startUp();
        world.setBoundary(qv::Box(qv::Vector(), 80, 24));
        world.setView(qv::Box(qv::Vector(), 80, 24));
    }
    void TearDown() override { world.shutDown(); }

    RecordingObject* at(qv::Vector position, qv::Solidity solidity = qv::Solidity::Solid,
                        int* destroyed = nullptr) {
        auto* object = new RecordingObject;
        object->setPosition(position);
        object->setSolidity(solidity);
        object->destroyedCount = destroyed;
        return object;
    }

    qv::WorldManager& world = qv::WorldManager::getInstance();
};

TEST_F(World, ObjectsGetConsecutiveIdsDefaultsAndMoveAtTheirSpeed) {
    auto* first = new qv::Object;
    auto* object = new qv::Object;
    EXPECT_EQ(object->getId(), first->getId() + 1);
    EXPECT_EQ(object->getType(), "Object");
    EXPECT_EQ(object->draw(), -1);
    // The speed alone changes, the direction stays: 2 cells up per step.
    object->setVelocity(qv::Vector(0, -1));
    object->setSpeed(2);
    object->setPosition(qv::Vector(5, 10));
    world.update();
    EXPECT_EQ(object->getPosition(), qv::Vector(5, 8));
}

TEST_F(World, CollisionsAndBlockingDependOnBothSolidities) {
    using S = qv::Solidity;
    const struct {
        S moving, still;
        bool eventsSent;
        int result;
    } cases[] = {
        {S::Solid, S::Solid, true, -1},      {S::Solid, S::Passable, true, 0},
        {S::Passable, S::Solid, true, 0},    {S::Passable, S::Passable, true, 0},
        {S::Solid, S::Intangible, false, 0}, {S::Passable, S::Intangible, false, 0},
        {S::Intangible, S::Solid, false, 0}, {S::Intangible, S::Intangible, false, 0},
    };
    for (const auto& c : cases) {
        auto* moving = at(qv::Vector(10, 5), c.moving);
        auto* still = at(qv::Vector(11, 5), c.still); // boxes touch at x = 11
        EXPECT_EQ(world.moveObject(moving, qv::Vector(10, 5.5f)), c.result);
        const std::vector<std::string> expected(c.eventsSent ? 1 : 0, "qv::collision");
        EXPECT_EQ(moving->received, expected);
        EXPECT_EQ(still->received, expected);
        EXPECT_EQ(moving->getPosition(), c.result == 0 ? qv::Vector(10, 5.5f) : qv::Vector(10, 5));
        delete moving;
        delete still;
    }
}

TEST_F(World, EveryObjectHitHearsOfItEvenAfterTheMoveWasRefused) {
    auto* moving = at(qv::Vector(10, 5));
    auto* solid = at(qv::Vector(12, 5));
    auto* passable = at(qv::Vector(12, 6), qv::Solidity::Passable);
    std::vector<qv::Object*> partners;
    moving->onEvent = [&partners](RecordingObject&, const qv::Event* event) {
        const auto* collision = static_cast<const qv::EventCollision*>(event);
        EXPECT_EQ(collision->getPosition(), qv::Vector(11.5f, 5.5f));
        partners.push_back(collision->getObject2());
    };
    EXPECT_EQ(world.moveObject(moving, qv::Vector(11.5f, 5.5f)), -1);
    EXPECT_EQ(partners, (std::vector<qv::Object*>{solid, passable}));
    EXPECT_EQ(passable->received.size(), 1u);
}

TEST_F(World, SendsOneOutEventWhenTheBoxLeavesTheBoundary) {
    auto* object = at(qv::Vector(79, 5));
    // At x = 80 the box still touches the boundary; from 80 to 81 it leaves.
    const std::pair<float, std::size_t> steps[] = {{80, 0}, {81, 1}, {82, 1}, {40, 1}, {81, 2}};
    for (const auto& step : steps) {
        EXPECT_EQ(world.moveObject(object, qv::Vector(step.first, 5)), 0);
        EXPECT_EQ(object->received.size(), step.second) << "x = " << step.first;
    }
    EXPECT_EQ(object->received.back(), "qv::out");
}

TEST_F(World, DeletesMarkedObjectsOnceAtTheStartOfTheNextUpdate) {
    int destroyed = 0;
    auto* doomed = at(qv::Vector(10, 5), qv::Solidity::Solid, &destroyed);
    doomed->setVelocity(qv::Vector(1, 0));
    world.markForDelete(doomed);
    world.markForDelete(doomed);
    EXPECT_EQ(world.getAllObjects().getCount(), 1);
    EXPECT_EQ(doomed->getPosition(), qv::Vector(10, 5));
    world.update();
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(world.getAllObjects().getCount(), 0);

    // Marks made by a destructor are carried out in the same update.
    struct Chain : RecordingObject {
        qv::Object* next = nullptr;
        ~Chain() override { qv::WorldManager::getInstance().markForDelete(next); }
    };
    auto* first = new Chain;
    first->next = at(qv::Vector(1, 1), qv::Solidity::Solid, &destroyed);
    world.markForDelete(first);
    world.update();
    EXPECT_EQ(destroyed, 2);
    EXPECT_EQ(world.getAllObjects().getCount(), 0);

    // A marked object that deletes itself is not deleted again.
    auto* self = at(qv::Vector(1, 1), qv::Solidity::Solid, &destroyed);
    world.markForDelete(self);
    self->onEvent = [](RecordingObject& me, const qv::Event*) { delete &me; };
    const qv::EventStep step;
    world.onEvent(&step);
    world.update();
    EXPECT_EQ(destroyed, 3);

    // Objects marked by collision handlers live until the next update.
    auto* mover = at(qv::Vector(10, 5), qv::Solidity::Passable);
    mover->setVelocity(qv::Vector(1, 0));
    auto* target = at(qv::Vector(12, 5), qv::Solidity::Passable, &destroyed);
    target->onEvent = [this](RecordingObject& me, const qv::Event*) { world.markForDelete(&me); };
    world.update();
    EXPECT_EQ(destroyed, 3);
    EXPECT_EQ(world.getAllObjects().getCount(), 2);
    world.update();
    EXPECT_EQ(destroyed, 4);
}

TEST_F(World, AFullListRefusesTheNextObjectAndRemovalFillsGapsFromTheEnd) {
    const int capacity = 5000; // what the world promises to hold
    std::vector<qv::Object*> objects;
    for (int i = 0; i < capacity; ++i) {
        objects.push_back(new qv::Object);
    }
    auto* extra = new RecordingObject;
    const qv::ObjectList all = world.getAllObjects();
    ASSERT_EQ(all.getCount(), capacity);
    for (int i = 0; i < all.getCount(); ++i) {
        ASSERT_EQ(all[i], objects[static_cast<std::size_t>(i)]);
    }
    const qv::EventStep step;
    EXPECT_EQ(world.onEvent(&step), capacity);
    EXPECT_TRUE(extra->received.empty());
    delete extra; // not in the world, so the world will not delete it
    EXPECT_EQ(world.getAllObjects().getCount(), capacity);

    world.markForDelete(objects[0]);
    world.update();
    EXPECT_EQ(world.getAllObjects()[0], objects.back());
    EXPECT_EQ(world.getAllObjects()[1], objects[1]);
}

TEST_F(World, FindsObjectsByExactTypeAndShutDownDeletesThemAll) {
    int destroyed = 0;
    at(qv::Vector(), qv::Solidity::Solid, &destroyed)->setType("Hero");
    at(qv::Vector(3, 0), qv::Solidity::Solid, &destroyed)->setType("hero");
    at(qv::Vector(6, 0), qv::Solidity::Solid, &destroyed)->setType("Heroes");
    const qv::ObjectList heroes = world.objectsOfType("Hero");
    ASSERT_EQ(heroes.getCount(), 1);
    EXPECT_EQ(heroes[0]->getType(), "Hero");
    world.shutDown();
    EXPECT_EQ(destroyed, 3);
    EXPECT_EQ(world.getAllObjects().getCount(), 0);
}

TEST_F(World, AFollowedObjectKeepsTheViewCentredWithinTheBoundary) {
    world.setView(qv::Box(qv::Vector(), 20, 10));
    auto* object = at(qv::Vector(40, 12), qv::Solidity::Intangible);
    world.setViewFollowing(object);
    EXPECT_EQ(world.getView().corner, qv::Vector(30, 7));
    world.moveObject(object, qv::Vector(75, 3));
    EXPECT_EQ(world.getView().corner, qv::Vector(60, 0));

    // A view as large as the boundary never moves.
    world.setView(qv::Box(qv::Vector(), 80, 24));
    world.moveObject(object, qv::Vector(70, 20));
    EXPECT_EQ(world.getView().corner, qv::Vector(0, 0));

    // Deleting the followed object stops the following.
    world.markForDelete(object);
    world.update();
    world.setView(qv::Box(qv::Vector(5, 5), 20, 10));
    world.moveObject(at(qv::Vector(50, 12), qv::Solidity::Intangible), qv::Vector(60, 12));
    EXPECT_EQ(world.getView().corner, qv::Vector(5, 5));
    // Failures print boxes and points readably, not as raw bytes.
    EXPECT_EQ(testing::PrintToString(world.getView()), "(5, 5) 20 x 10");
}

} // namespace
