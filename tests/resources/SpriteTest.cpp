// Sprites and the objects that show them: frame slots, allocation failure,
// binding by label, the box it gives and animation counted in draws. Where
// drawn sprites land: the golden replays' screens.
#include "qv/resources/Sprite.h"
#include "qv/core/LogManager.h"
#include "qv/display/Color.h"
#include "qv/resources/ResourceManager.h"
#include "qv/world/Object.h"
#include "qv/world/WorldManager.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

namespace {

class Sprites : public ::testing::Test {
protected:
    void SetUp() override {
        qv::LogManager::getInstance().startUp();
        qv::ResourceManager::getInstance().startUp();
        qv::WorldManager::getInstance().startUp();
    }
    void TearDown() override {
        qv::WorldManager::getInstance().shutDown();
        qv::ResourceManager::getInstance().shutDown();
        qv::LogManager::getInstance().shutDown();
    }

    // A new object showing the sprite with this label.
    static qv::Object* showing(const std::string& label) {
        auto* object = new qv::Object;
        EXPECT_EQ(object->setSprite(label), 0) << label;
        return object;
    }

    // The frame index each draw shows.
    static std::vector<int> shownFrames(qv::Object& object, int draws) {
        std::vector<int> shown;
        for (int i = 0; i < draws; ++i) {
            shown.push_back(object.getFrameIndex());
            EXPECT_EQ(object.draw(), 0);
        }
        return shown;
    }
};

TEST_F(Sprites, FillTheirSlotsInOrderAndRefuseFramesTheyCannotHoldOrDraw) {
    const int slotCases[][2] = {
        {0, 0},           {1, 1},        {qv::Sprite::MAX_FRAMES, qv::Sprite::MAX_FRAMES},
        {-1, -1},         {INT_MIN, -1}, {qv::Sprite::MAX_FRAMES + 1, -1},
        {2000000000, -1}, {INT_MAX, -1}}; // maximum asked for, slots given (-1: refused)
    for (const auto& c : slotCases) {
        qv::Sprite sprite(c[0]);
        const std::vector<std::string> log = qvtest::logMessages();
        EXPECT_EQ(!log.empty() && log.back() == "Error: could not allocate\n", c[1] < 0) << c[0];
        EXPECT_EQ(sprite.getMaxFrameCount(), std::max(c[1], 0)) << c[0];
        EXPECT_EQ(sprite.storeFrame(qv::Frame(1, 1, "x")), c[1] > 0 ? 0 : -1) << c[0];
        qv::LogManager::getInstance().writeLog("next\n");
    }

    qv::Sprite sprite(4);
    EXPECT_EQ(sprite.storeFrame(qv::Frame(1, 1, "a")), 0);
    EXPECT_EQ(sprite.storeFrame(qv::Frame()), 0);
    // Claims 15 cells, holds 3: drawing it would read past its characters.
    EXPECT_EQ(sprite.storeFrame(qv::Frame(5, 3, "abc")), 0);
    EXPECT_EQ(sprite.storeFrame(qv::Frame(1, 1, "d")), 0);
    EXPECT_EQ(sprite.storeFrame(qv::Frame(1, 1, "e")), -1);
    EXPECT_EQ(sprite.getFrame(3).getData(), "d");
    for (const int index : {-1, 4, INT_MIN}) {
        EXPECT_TRUE(sprite.getFrame(index).isEmpty()) << index;
    }
    for (const int index : {-1, INT_MIN, 4, 1, 2}) {
        EXPECT_EQ(sprite.drawFrame(index, qv::Vector(10, 10)), -1) << index;
    }
    EXPECT_EQ(sprite.drawFrame(0, qv::Vector(10, 10)), 0);
}

TEST_F(Sprites, ObjectsCentreTheirBoxOnThePositionAndIgnoreUnknownLabels) {
    const struct {
        int width, height;
        qv::Vector corner;
    } cases[] = {{3, 2, qv::Vector(-1.5f, -1.0f)},
                 {5, 3, qv::Vector(-2.5f, -1.5f)},
                 {1, 1, qv::Vector(-0.5f, -0.5f)}};
    for (const auto& c : cases) {
        const std::string label = std::to_string(c.width) + "x" + std::to_string(c.height);
        ASSERT_EQ(qvtest::loadTestSprite(label, 1, c.width, c.height), 0);
        qv::Object* object = showing(label);
        object->setPosition(qv::Vector(10, 4));
        EXPECT_EQ(object->getSprite(), qv::ResourceManager::getInstance().getSprite(label));
        EXPECT_EQ(object->getBox().corner, c.corner) << label;
        EXPECT_EQ(object->getBox().horizontal, static_cast<float>(c.width)) << label;
        EXPECT_EQ(object->getBox().vertical, static_cast<float>(c.height)) << label;
        EXPECT_EQ(object->getWorldBox().corner, c.corner + qv::Vector(10, 4)) << label;
        // An unknown label changes nothing.
        EXPECT_EQ(object->setSprite(label + " "), -1);
        EXPECT_EQ(object->getSprite()->getLabel(), label);
        EXPECT_EQ(object->getBox().corner, c.corner) << label;
    }
    auto* bare = new qv::Object;
    EXPECT_EQ(bare->setSprite("3X2"), -1);
    EXPECT_EQ(bare->getSprite(), nullptr);
    EXPECT_EQ(bare->getBox().horizontal, 1.0f);
}

TEST_F(Sprites, AnimationAdvancesEverySlowdownDraws) {
    const struct {
        int frames, slowdown;
        std::vector<int> shown;
    } cases[] = {
        {3, 4, {0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 0, 0}},
        {3, 1, {0, 1, 2, 0, 1}},
        {3, 0, {0, 1, 2, 0, 1}},
        {1, 3, {0, 0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        const std::string label = "anim" + std::to_string(c.frames) + std::to_string(c.slowdown);
        ASSERT_EQ(qvtest::loadTestSprite(label, c.frames, 2, 1, c.slowdown), 0);
        EXPECT_EQ(shownFrames(*showing(label), static_cast<int>(c.shown.size())), c.shown) << label;
    }
}

TEST_F(Sprites, CountdownMinusOneHoldsTheFrameAndFewerFramesWrapTheIndex) {
    ASSERT_EQ(qvtest::loadTestSprite("five", 5, 2, 1, 1), 0);
    ASSERT_EQ(qvtest::loadTestSprite("two", 2, 2, 1, 3), 0);
    qv::Object* object = showing("five");
    object->setFrameIndex(1);
    object->setFrameCountdown(-1);
    EXPECT_EQ(shownFrames(*object, 4), std::vector<int>(4, 1));
    EXPECT_EQ(object->getFrameCountdown(), -1);
    object->setFrameCountdown(0);
    EXPECT_EQ(shownFrames(*object, 3), std::vector<int>({1, 2, 3}));

    // Binding keeps index and countdown; index 4 of "two" draws nothing until
    // the countdown runs out and the index wraps.
    ASSERT_EQ(object->setSprite("two"), 0);
    EXPECT_EQ(object->getFrameIndex(), 4);
    EXPECT_EQ(object->getSprite()->drawFrame(4, object->getPosition()), -1);
    EXPECT_EQ(shownFrames(*object, 8), std::vector<int>({4, 4, 4, 0, 0, 0, 1, 1}));
}

} // namespace
