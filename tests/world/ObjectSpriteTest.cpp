// The sprite part of objects: binding a sprite by label, the box it gives,
// and the animation counted in draws.
#include "core/LogManager.h"
#include "display/DisplayManager.h"
#include "resources/ResourceManager.h"
#include "resources/Sprite.h"
#include "support/TestSupport.h"
#include "support/WindowCapture.h"
#include "world/Object.h"
#include "world/WorldManager.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class ObjectSprites : public ::testing::Test {
protected:
    void SetUp() override {
        qv::LogManager::getInstance().startUp();
        qv::ResourceManager::getInstance().startUp();
        world.startUp();
    }
    void TearDown() override {
        world.shutDown();
        qv::ResourceManager::getInstance().shutDown();
        qv::LogManager::getInstance().shutDown();
    }

    // The frame index each draw shows (the index before the draw).
    static std::vector<int> shownFrames(qv::Object& object, int draws) {
        std::vector<int> shown;
        for (int i = 0; i < draws; ++i) {
            shown.push_back(object.getFrameIndex());
            EXPECT_EQ(object.draw(), 0);
        }
        return shown;
    }

    qv::WorldManager& world = qv::WorldManager::getInstance();
};

TEST_F(ObjectSprites, SetSpriteCentresTheBoxOnThePosition) {
    const struct {
        int width;
        int height;
        qv::Vector corner;
    } cases[] = {{3, 2, qv::Vector(-1.5f, -1.0f)},
                 {5, 3, qv::Vector(-2.5f, -1.5f)},
                 {4, 2, qv::Vector(-2.0f, -1.0f)},
                 {1, 1, qv::Vector(-0.5f, -0.5f)}};
    for (const auto& c : cases) {
        const std::string label = std::to_string(c.width) + "x" + std::to_string(c.height);
        ASSERT_EQ(qvtest::loadTestSprite(label, 1, c.width, c.height), 0);
        auto* object = new qv::Object;
        object->setPosition(qv::Vector(10, 4));
        ASSERT_EQ(object->setSprite(label), 0) << label;
        EXPECT_EQ(object->getSprite(), qv::ResourceManager::getInstance().getSprite(label));
        EXPECT_EQ(object->getBox().corner, c.corner) << label;
        EXPECT_EQ(object->getBox().horizontal, static_cast<float>(c.width)) << label;
        EXPECT_EQ(object->getBox().vertical, static_cast<float>(c.height)) << label;
        EXPECT_EQ(object->getWorldBox().corner, c.corner + qv::Vector(10, 4)) << label;
    }
}

TEST_F(ObjectSprites, UnknownLabelChangesNothing) {
    ASSERT_EQ(qvtest::loadTestSprite("hero", 1, 3, 2), 0);
    auto* object = new qv::Object;
    EXPECT_EQ(object->setSprite("hero "), -1);
    EXPECT_EQ(object->getSprite(), nullptr);
    EXPECT_EQ(object->getBox().corner, qv::Vector(0, 0));
    EXPECT_EQ(object->getBox().horizontal, 1.0f);
    EXPECT_EQ(object->draw(), -1);

    ASSERT_EQ(object->setSprite("hero"), 0);
    qv::Sprite* bound = object->getSprite();
    EXPECT_EQ(object->setSprite("Hero"), -1);
    EXPECT_EQ(object->getSprite(), bound);
    EXPECT_EQ(object->getBox().corner, qv::Vector(-1.5f, -1.0f));
    EXPECT_EQ(object->getBox().horizontal, 3.0f);
}

TEST_F(ObjectSprites, AnimationAdvancesEverySlowdownDraws) {
    const struct {
        int frames;
        int slowdown;
        std::vector<int> shown;
    } cases[] = {
        {3, 4, {0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 0, 0}},
        {3, 1, {0, 1, 2, 0, 1}},
        {3, 0, {0, 1, 2, 0, 1}},
        {2, 2, {0, 0, 1, 1, 0, 0}},
        {1, 3, {0, 0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        const std::string label = "anim" + std::to_string(c.frames) + std::to_string(c.slowdown);
        ASSERT_EQ(qvtest::loadTestSprite(label, c.frames, 2, 1, c.slowdown), 0);
        auto* object = new qv::Object;
        ASSERT_EQ(object->setSprite(label), 0);
        EXPECT_EQ(shownFrames(*object, static_cast<int>(c.shown.size())), c.shown) << label;
    }
}

TEST_F(ObjectSprites, CountdownMinusOneHoldsTheFrame) {
    ASSERT_EQ(qvtest::loadTestSprite("walk", 3, 2, 1, 1), 0);
    auto* object = new qv::Object;
    ASSERT_EQ(object->setSprite("walk"), 0);
    object->setFrameIndex(1);
    object->setFrameCountdown(-1);
    EXPECT_EQ(shownFrames(*object, 6), std::vector<int>(6, 1));
    EXPECT_EQ(object->getFrameCountdown(), -1);

    object->setFrameCountdown(0);
    EXPECT_EQ(shownFrames(*object, 3), std::vector<int>({1, 2, 0}));
}

TEST_F(ObjectSprites, SwitchingToFewerFramesWrapsAnIndexBeyondTheEnd) {
    ASSERT_EQ(qvtest::loadTestSprite("five", 5, 2, 1, 1), 0);
    ASSERT_EQ(qvtest::loadTestSprite("two", 2, 2, 1, 3), 0);
    auto* object = new qv::Object;
    ASSERT_EQ(object->setSprite("five"), 0);
    EXPECT_EQ(shownFrames(*object, 4), std::vector<int>({0, 1, 2, 3}));
    ASSERT_EQ(object->getFrameIndex(), 4);

    // Binding keeps the index and countdown; index 4 of "two" draws nothing
    // until the countdown runs out and the index wraps.
    ASSERT_EQ(object->setSprite("two"), 0);
    EXPECT_EQ(object->getFrameIndex(), 4);
    EXPECT_EQ(object->getSprite()->drawFrame(object->getFrameIndex(), object->getPosition()), -1);
    EXPECT_EQ(shownFrames(*object, 8), std::vector<int>({4, 4, 4, 0, 0, 0, 1, 1}));
}

TEST_F(ObjectSprites, DrawPutsTheFrameAroundThePosition) {
    if (!qvtest::haveDisplay()) {
        GTEST_SKIP() << "no X display";
    }
    ASSERT_TRUE(qvtest::startDisplay());
    qv::DisplayManager::getInstance().getWindow()->clear(sf::Color::Black);
    ASSERT_EQ(qvtest::loadTestSprite("bar", 1, 3, 1), 0);
    auto* object = new qv::Object;
    object->setPosition(qv::Vector(20, 5));
    ASSERT_EQ(object->setSprite("bar"), 0);
    ASSERT_EQ(object->draw(), 0);
    const sf::Image image = qvtest::captureWindow();
    EXPECT_EQ(qvtest::litColumns(image, 5), std::vector<int>({19, 20, 21}));
    EXPECT_TRUE(qvtest::litColumns(image, 4).empty());
    EXPECT_TRUE(qvtest::litColumns(image, 6).empty());
    qv::DisplayManager::getInstance().shutDown();
}

} // namespace
