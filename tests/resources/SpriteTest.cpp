// Sprites: frame slots, allocation failure, and where drawFrame puts its
// cells, read back from the real window.
#include "resources/Sprite.h"
#include "core/LogManager.h"
#include "display/Color.h"
#include "display/DisplayManager.h"
#include "resources/Frame.h"
#include "support/TestSupport.h"
#include "support/WindowCapture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

namespace {

const std::string NO_MEMORY = "Error: could not allocate\n";

class Sprites : public ::testing::Test {
protected:
    void SetUp() override { qv::LogManager::getInstance().startUp(); }
    void TearDown() override { qv::LogManager::getInstance().shutDown(); }

    static int allocationErrors() {
        const std::vector<std::string> messages = qvtest::logMessages();
        return static_cast<int>(std::count(messages.begin(), messages.end(), NO_MEMORY));
    }
};

TEST_F(Sprites, StoreFrameFillsTheSlotsInOrderThenRefuses) {
    qv::Sprite sprite(2);
    EXPECT_EQ(sprite.getMaxFrameCount(), 2);
    EXPECT_EQ(sprite.getFrameCount(), 0);
    EXPECT_EQ(sprite.getColor(), qv::WHITE);
    EXPECT_EQ(sprite.getSlowdown(), 0);
    EXPECT_EQ(sprite.getLabel(), "");

    EXPECT_EQ(sprite.storeFrame(qv::Frame(2, 1, "ab")), 0);
    EXPECT_EQ(sprite.storeFrame(qv::Frame(2, 1, "cd")), 0);
    EXPECT_EQ(sprite.storeFrame(qv::Frame(2, 1, "ef")), -1);
    EXPECT_EQ(sprite.getFrameCount(), 2);
    EXPECT_EQ(sprite.getFrame(0).getData(), "ab");
    EXPECT_EQ(sprite.getFrame(1).getData(), "cd");
    EXPECT_TRUE(sprite.getFrame(2).isEmpty());
    EXPECT_TRUE(sprite.getFrame(-1).isEmpty());
    EXPECT_EQ(allocationErrors(), 0);
}

TEST_F(Sprites, UnallocatableCountsLeaveNoSlotsAndAreLogged) {
    const struct {
        int maxFrames;
        int slots; // -1: refused
    } cases[] = {
        {0, 0},           {1, 1},        {qv::Sprite::MAX_FRAMES, qv::Sprite::MAX_FRAMES},
        {-1, -1},         {INT_MIN, -1}, {qv::Sprite::MAX_FRAMES + 1, -1},
        {2000000000, -1}, {INT_MAX, -1},
    };
    for (const auto& c : cases) {
        const int errorsBefore = allocationErrors();
        qv::Sprite sprite(c.maxFrames);
        const bool refused = c.slots < 0;
        EXPECT_EQ(allocationErrors() - errorsBefore, refused ? 1 : 0) << c.maxFrames;
        EXPECT_EQ(sprite.getMaxFrameCount(), refused ? 0 : c.slots) << c.maxFrames;
        EXPECT_EQ(sprite.getColor(), qv::WHITE) << c.maxFrames;
        EXPECT_EQ(sprite.storeFrame(qv::Frame(1, 1, "x")), refused || c.slots == 0 ? -1 : 0)
            << c.maxFrames;
    }
}

TEST_F(Sprites, DrawFrameRefusesFramesItDoesNotHave) {
    qv::Sprite sprite(4);
    sprite.storeFrame(qv::Frame(1, 1, "a"));
    sprite.storeFrame(qv::Frame());
    // Claims 15 cells, holds 3: drawing it would read past its characters.
    sprite.storeFrame(qv::Frame(5, 3, "abc"));
    const struct {
        int index;
        int result;
    } cases[] = {{0, 0}, {-1, -1}, {INT_MIN, -1}, {3, -1}, {4, -1}, {1, -1}, {2, -1}};
    for (const auto& c : cases) {
        EXPECT_EQ(sprite.drawFrame(c.index, qv::Vector(10, 10)), c.result) << c.index;
    }
}

// ---- drawn cells, read back from the window (needs an X display) ----------

class DrawnSprites : public Sprites {
protected:
    void SetUp() override {
        Sprites::SetUp();
        if (!qvtest::haveDisplay()) {
            GTEST_SKIP() << "no X display";
        }
        ASSERT_TRUE(qvtest::startDisplay());
        window().clear(sf::Color::Black);
    }
    void TearDown() override {
        qv::DisplayManager::getInstance().shutDown();
        Sprites::TearDown();
    }

    static sf::RenderWindow& window() { return *qv::DisplayManager::getInstance().getWindow(); }

    static std::vector<int> span(int first, int last) {
        std::vector<int> columns;
        for (int column = first; column <= last; ++column) {
            columns.push_back(column);
        }
        return columns;
    }
};

TEST_F(DrawnSprites, FrameIsCentredOnThePosition) {
    const struct {
        int width;
        int height;
        int firstColumn;
        int lastColumn;
        int firstRow;
        int lastRow;
    } cases[] = {
        {5, 3, 8, 12, 9, 11}, {4, 2, 8, 11, 9, 10}, {1, 1, 10, 10, 10, 10}, {2, 3, 9, 10, 9, 11}};
    for (const auto& c : cases) {
        qv::Sprite sprite(1);
        const std::string cells(static_cast<std::size_t>(c.width * c.height), '#');
        ASSERT_EQ(sprite.storeFrame(qv::Frame(c.width, c.height, cells)), 0);
        window().clear(sf::Color::Black);
        ASSERT_EQ(sprite.drawFrame(0, qv::Vector(10, 10)), 0);
        const sf::Image image = qvtest::captureWindow();
        for (int row = 0; row < 24; ++row) {
            const bool inside = row >= c.firstRow && row <= c.lastRow;
            EXPECT_EQ(qvtest::litColumns(image, row),
                      inside ? span(c.firstColumn, c.lastColumn) : std::vector<int>())
                << c.width << " x " << c.height << ", row " << row;
        }
    }
}

TEST_F(DrawnSprites, BlanksAreDrawnOverWhatLiesBelow) {
    qv::DisplayManager& display = qv::DisplayManager::getInstance();
    for (int row = 8; row <= 12; ++row) {
        for (int column = 6; column <= 14; ++column) {
            display.drawCh(qv::Vector(static_cast<float>(column), static_cast<float>(row)), '#',
                           qv::WHITE);
        }
    }
    qv::Sprite sprite(1);
    ASSERT_EQ(sprite.storeFrame(qv::Frame(5, 3,
                                          "#####"
                                          "# # #"
                                          "#####")),
              0);
    ASSERT_EQ(sprite.drawFrame(0, qv::Vector(10, 10)), 0);
    const sf::Image image = qvtest::captureWindow();
    EXPECT_EQ(qvtest::litColumns(image, 9), span(6, 14));
    EXPECT_EQ(qvtest::litColumns(image, 10), std::vector<int>({6, 7, 8, 10, 12, 13, 14}));
    EXPECT_EQ(qvtest::litColumns(image, 11), span(6, 14));
}

TEST_F(DrawnSprites, CellsTakeTheSpritesColor) {
    const struct {
        int color;
        sf::Color drawn;
        sf::Color absent;
    } cases[] = {{qv::RED, sf::Color::Red, sf::Color::White},
                 {qv::WHITE, sf::Color::White, sf::Color::Red},
                 {qv::CYAN, sf::Color::Cyan, sf::Color::White}};
    for (const auto& c : cases) {
        qv::Sprite sprite(1);
        sprite.setColor(c.color);
        ASSERT_EQ(sprite.storeFrame(qv::Frame(1, 1, "#")), 0);
        window().clear(sf::Color::Black);
        ASSERT_EQ(sprite.drawFrame(0, qv::Vector(20, 5)), 0);
        const sf::Image image = qvtest::captureWindow();
        EXPECT_GT(qvtest::countPixels(image, qvtest::cellProbe(20, 5), c.drawn), 0) << c.color;
        EXPECT_EQ(qvtest::countPixels(image, qvtest::cellProbe(20, 5), c.absent), 0) << c.color;
    }
}

} // namespace
