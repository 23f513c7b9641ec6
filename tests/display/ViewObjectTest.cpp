// HUD view objects: where the nine places put them, how view events change
// their value, the text, bars and dash rows they draw, and toString.
#include "display/ViewObject.h"
#include "core/EventStep.h"
#include "core/EventView.h"
#include "core/GameManager.h"
#include "core/LogManager.h"
#include "display/DisplayManager.h"
#include "world/WorldManager.h"

#include "support/RecordingObject.h"
#include "support/TestSupport.h"
#include "support/WindowCapture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

class ViewObjects : public ::testing::Test {
protected:
    void SetUp() override {
        qv::LogManager::getInstance().startUp();
        world.startUp();
        world.setView(qv::Box(qv::Vector(), 80, 24));
    }
    void TearDown() override {
        world.shutDown();
        qv::LogManager::getInstance().shutDown();
    }

    qv::WorldManager& world = qv::WorldManager::getInstance();
};

TEST_F(ViewObjects, StartsAsAFramedWhiteZeroAtTopLeft) {
    auto* view = new qv::ViewObject;
    EXPECT_EQ(view->getType(), "ViewObject");
    EXPECT_EQ(view->getSolidity(), qv::Solidity::Intangible);
    EXPECT_EQ(view->getAltitude(), 4);
    EXPECT_EQ(view->getViewString(), "");
    EXPECT_EQ(view->getValue(), 0);
    EXPECT_TRUE(view->getBorder());
    EXPECT_EQ(view->getColor(), qv::WHITE);
    EXPECT_EQ(view->getLocation(), qv::TOP_LEFT);
    EXPECT_NEAR(view->getPosition().x, 13.333f, 1e-3f);
    EXPECT_EQ(view->getPosition().y, 1.0f);
}

TEST_F(ViewObjects, NinePlacesWithAndWithoutBorder) {
    const struct {
        qv::ViewObjectLocation location;
        float x;
        float yFramed;
        float yBare;
    } places[] = {
        {qv::TOP_LEFT, 13.333f, 1, 0},       {qv::TOP_CENTER, 40, 1, 0},
        {qv::TOP_RIGHT, 66.667f, 1, 0},      {qv::CENTER_LEFT, 13.333f, 12, 12},
        {qv::CENTER_CENTER, 40, 12, 12},     {qv::CENTER_RIGHT, 66.667f, 12, 12},
        {qv::BOTTOM_LEFT, 13.333f, 22, 23},  {qv::BOTTOM_CENTER, 40, 22, 23},
        {qv::BOTTOM_RIGHT, 66.667f, 22, 23},
    };
    for (const auto& place : places) {
        SCOPED_TRACE(place.location);
        auto* framed = new qv::ViewObject;
        framed->setLocation(place.location);
        EXPECT_EQ(framed->getLocation(), place.location);
        EXPECT_NEAR(framed->getPosition().x, place.x, 1e-3f);
        EXPECT_EQ(framed->getPosition().y, place.yFramed);

        auto* bare = new qv::ViewObject;
        bare->setBorder(false);
        bare->setLocation(place.location);
        EXPECT_NEAR(bare->getPosition().x, place.x, 1e-3f);
        EXPECT_EQ(bare->getPosition().y, place.yBare);

        // Switching the frame re-places the object on the matching row.
        framed->setBorder(false);
        EXPECT_EQ(framed->getPosition(), bare->getPosition());
        bare->setBorder(true);
        EXPECT_EQ(bare->getPosition().y, place.yFramed);
    }
}

TEST_F(ViewObjects, PlacesFollowTheViewSizeAtTheTimeOfTheCall) {
    auto* view = new qv::ViewObject;
    world.setView(qv::Box(qv::Vector(7, 3), 40, 10));
    view->setLocation(qv::BOTTOM_RIGHT);
    EXPECT_NEAR(view->getPosition().x, 33.333f, 1e-3f);
    EXPECT_EQ(view->getPosition().y, 8.0f);

    // Only setLocation and setBorder place the object.
    world.setView(qv::Box(qv::Vector(), 80, 24));
    view->setValue(3);
    EXPECT_NEAR(view->getPosition().x, 33.333f, 1e-3f);
}

TEST_F(ViewObjects, IgnoresUnknownLocationsAndUnchangedBorder) {
    auto* view = new qv::ViewObject;
    view->setLocation(qv::BOTTOM_CENTER);
    const qv::Vector placed = view->getPosition();
    for (const int bad : {9, -1, 100}) {
        view->setLocation(static_cast<qv::ViewObjectLocation>(bad));
        EXPECT_EQ(view->getLocation(), qv::BOTTOM_CENTER) << bad;
        EXPECT_EQ(view->getPosition(), placed) << bad;
    }
    view->setPosition(qv::Vector(1, 1));
    view->setBorder(true);
    EXPECT_EQ(view->getPosition(), qv::Vector(1, 1));
}

TEST_F(ViewObjects, BottomRightLogsTheBottomRowAndTurnsFlushingOn) {
    qv::LogManager& log = qv::LogManager::getInstance();
    log.setFlush(false);
    auto* view = new qv::ViewObject;
    for (const auto location : {qv::TOP_LEFT, qv::CENTER_RIGHT, qv::BOTTOM_CENTER}) {
        view->setLocation(location);
    }
    view->setBorder(false);
    view->setLocation(qv::BOTTOM_RIGHT);
    log.writeLog("after\n");
    // Read straight from the file: logMessages() would turn flushing on itself.
    EXPECT_EQ(qvtest::withTimesMasked(qvtest::readFile(qv::LogManager::fileName)),
              "HH:MM:SS Message: \n22.000000\nHH:MM:SS Message: after\n");
}

TEST_F(ViewObjects, ViewEventsChangeTheValueOnlyForTheirExactLabel) {
    const struct {
        const char* label;
        int amount;
        bool relative;
        int handled;
        int value;
    } cases[] = {
        {"Score", 5, true, 1, 15}, {"Score", 5, false, 1, 5},  {"Score", -12, true, 1, -2},
        {"score", 5, true, 0, 10}, {"SCORE", 5, false, 0, 10}, {"Score ", 5, true, 0, 10},
        {"Scor", 5, false, 0, 10}, {"", 5, false, 0, 10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("label '") + c.label + "'");
        auto* view = new qv::ViewObject;
        view->setViewString("Score");
        view->setValue(10);
        const qv::EventView event(c.label, c.amount, c.relative);
        EXPECT_EQ(view->eventHandler(&event), c.handled);
        EXPECT_EQ(view->getValue(), c.value);
        world.markForDelete(view);
        world.update();
    }

    auto* view = new qv::ViewObject;
    view->setValue(4);
    const qv::EventStep step;
    EXPECT_EQ(view->eventHandler(&step), 0);
    EXPECT_EQ(view->getValue(), 4);
}

TEST(ToString, WritesPlainDecimalText) {
    const std::pair<int, const char*> cases[] = {
        {0, "0"},
        {7, "7"},
        {-42, "-42"},
        {1000, "1000"},
        {1234567, "1234567"},
        {INT_MAX, "2147483647"},
        {INT_MIN, "-2147483648"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(qv::toString(c.first), c.second);
    }
}

// A view object that notes its draws, to tell the drawing pass's choices.
class CountingView : public qv::ViewObject {
public:
    int draw() override {
        ++draws;
        return qv::ViewObject::draw();
    }
    int draws = 0;
};

std::int64_t noTime() {
    return 0;
}
void noSleep(std::int64_t) {}

TEST_F(ViewObjects, GameLoopDrawsViewObjectsOutsideTheViewButNotPlainObjects) {
    auto* hud = new CountingView;
    hud->setPosition(qv::Vector(200, 200));
    auto* plain = new qvtest::RecordingObject;
    plain->setPosition(qv::Vector(200, 200));
    plain->setAltitude(4);
    qv::GameManager& game = qv::GameManager::getInstance();
    plain->onEvent = [&game](qvtest::RecordingObject&, const qv::Event* event) {
        if (event->getType() == qv::EventStep::TYPE) {
            game.setGameOver(true);
        }
    };
    game.setTiming(noTime, noSleep);
    game.setGameOver(false);
    game.run();
    game.setTiming(nullptr, nullptr);

    EXPECT_EQ(hud->draws, 1);
    EXPECT_EQ(std::count(plain->received.begin(), plain->received.end(), "draw"), 0);
}

using Cell = std::pair<int, int>;

std::set<Cell> cellsFrom(int row, const std::vector<int>& columns) {
    std::set<Cell> cells;
    for (const int column : columns) {
        cells.insert({column, row});
    }
    return cells;
}

std::vector<int> span(int first, int last) {
    std::vector<int> columns;
    for (int column = first; column <= last; ++column) {
        columns.push_back(column);
    }
    return columns;
}

class ViewObjectsOnScreen : public ViewObjects {
protected:
    void SetUp() override {
        if (!qvtest::haveDisplay()) {
            GTEST_SKIP() << "needs an X display; run under xvfb-run";
        }
        ViewObjects::SetUp();
        ASSERT_TRUE(qvtest::startDisplay());
        // The first frame is drawn on a surface nobody has cleared yet.
        qv::DisplayManager::getInstance().showFrame();
    }
    void TearDown() override {
        qv::DisplayManager::getInstance().shutDown();
        ViewObjects::TearDown();
    }

    std::set<Cell> litCells() {
        const sf::Image image = qvtest::captureWindow();
        std::set<Cell> cells;
        for (int row = 0; row < 24; ++row) {
            for (const int column : qvtest::litColumns(image, row)) {
                cells.insert({column, row});
            }
        }
        return cells;
    }
};

TEST_F(ViewObjectsOnScreen, DrawsCentredTextBarsAndDashRows) {
    const auto merge = [](std::initializer_list<std::set<Cell>> parts) {
        std::set<Cell> all;
        for (const auto& part : parts) {
            all.insert(part.begin(), part.end());
        }
        return all;
    };
    // " Score 100 ": eleven characters over 35..45, the bars on its spaces.
    const std::set<Cell> odd =
        merge({cellsFrom(0, span(35, 45)), cellsFrom(1, {35, 36, 37, 38, 39, 40, 42, 43, 44, 45}),
               cellsFrom(2, span(35, 45))});
    // " Score 10 ": ten characters over 35..44, the right bar one past them.
    const std::set<Cell> even =
        merge({cellsFrom(0, span(35, 44)), cellsFrom(1, {35, 36, 37, 38, 39, 40, 42, 43, 45}),
               cellsFrom(2, span(35, 44))});
    const struct {
        const char* name;
        const char* label;
        int value;
        bool border;
        qv::ViewObjectLocation location;
        qv::Vector viewCorner;
        std::set<Cell> lit;
    } cases[] = {
        {"odd length", "Score", 100, true, qv::TOP_CENTER, qv::Vector(), odd},
        {"even length", "Score", 10, true, qv::TOP_CENTER, qv::Vector(), even},
        // The anchor is relative to the view, so a moved view changes nothing.
        {"moved view", "Score", 100, true, qv::TOP_CENTER, qv::Vector(10, 5), odd},
        {"bare, empty label", "", 7, false, qv::CENTER_CENTER, qv::Vector(), cellsFrom(12, {40})},
        {"bare at the bottom", "Hi", -3, false, qv::BOTTOM_CENTER, qv::Vector(),
         cellsFrom(23, {38, 39, 41, 42})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        world.setView(qv::Box(qv::Vector(), 80, 24));
        auto* view = new qv::ViewObject;
        view->setViewString(c.label);
        view->setValue(c.value);
        view->setBorder(c.border);
        view->setLocation(c.location);
        view->setColor(qv::GREEN);
        world.setView(qv::Box(c.viewCorner, 80, 24));

        EXPECT_EQ(view->draw(), 0);
        EXPECT_EQ(litCells(), c.lit);
        const sf::Image image = qvtest::captureWindow();
        for (const Cell& cell : c.lit) {
            EXPECT_GT(qvtest::countPixels(image, qvtest::cellProbe(cell.first, cell.second),
                                          sf::Color::Green),
                      0);
        }
        qv::DisplayManager::getInstance().showFrame();
        world.markForDelete(view);
        world.update();
    }
}

} // namespace
