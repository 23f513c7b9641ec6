// HUD view objects: where the nine places put them, how view events change
// their value, and the text, bars and dash rows they draw.
#include "qv/display/ViewObject.h"
#include "qv/core/EventStep.h"
#include "qv/core/EventView.h"
#include "qv/core/GameManager.h"
#include "qv/core/LogManager.h"
#include "qv/display/DisplayManager.h"
#include "qv/world/WorldManager.h"

#include "support/RecordingObject.h"
#include "support/TestSupport.h"
#include "support/WindowCapture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <map>
#include <set>
#include <string>
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

TEST_F(ViewObjects, StartFramedAtTopLeftAndTakeNinePlacesWithAndWithoutBorder) {
    auto* first = new qv::ViewObject;
    EXPECT_EQ(first->getSolidity(), qv::Solidity::Intangible);
    EXPECT_EQ(first->getAltitude(), 4);
    EXPECT_EQ(first->getValue(), 0);
    EXPECT_EQ(first->getColor(), qv::WHITE);
    EXPECT_NEAR(first->getPosition().x, 13.333f, 1e-3f);
    EXPECT_EQ(first->getPosition().y, 1.0f);
    const struct {
        qv::ViewObjectLocation location;
        float x, yFramed, yBare;
    } places[] = {
        {qv::TOP_LEFT, 13.333f, 1, 0},       {qv::TOP_CENTER, 40, 1, 0},
        {qv::TOP_RIGHT, 66.667f, 1, 0},      {qv::CENTER_LEFT, 13.333f, 12, 12},
        {qv::CENTER_CENTER, 40, 12, 12},     {qv::CENTER_RIGHT, 66.667f, 12, 12},
        {qv::BOTTOM_LEFT, 13.333f, 22, 23},  {qv::BOTTOM_CENTER, 40, 22, 23},
        {qv::BOTTOM_RIGHT, 66.667f, 22, 23},
    };
    for (const auto& place : places) {
        SCOPED_TRACE(place.location);
        auto* view = new qv::ViewObject;
        view->setLocation(place.location);
        EXPECT_EQ(view->getLocation(), place.location);
        EXPECT_NEAR(view->getPosition().x, place.x, 1e-3f);
        EXPECT_EQ(view->getPosition().y, place.yFramed);
        // Switching the frame re-places the object on the matching row.
        view->setBorder(false);
        EXPECT_NEAR(view->getPosition().x, place.x, 1e-3f);
        EXPECT_EQ(view->getPosition().y, place.yBare);
        view->setBorder(true);
        EXPECT_EQ(view->getPosition().y, place.yFramed);
    }
}

TEST_F(ViewObjects, PlaceFollowsTheViewAtTheCallAndBottomRightLogsItsRow) {
    qv::LogManager& log = qv::LogManager::getInstance();
    log.setFlush(false);
    auto* view = new qv::ViewObject;
    world.setView(qv::Box(qv::Vector(7, 3), 40, 10));
    for (const auto location : {qv::TOP_RIGHT, qv::CENTER_RIGHT, qv::BOTTOM_CENTER}) {
        view->setLocation(location);
    }
    view->setBorder(false);
    view->setLocation(qv::BOTTOM_RIGHT);
    const qv::Vector placed = view->getPosition();
    EXPECT_NEAR(placed.x, 33.333f, 1e-3f);
    EXPECT_EQ(placed.y, 9.0f);
    // It logs the framed bottom row and turns flushing on; read the file
    // straight, as logMessages() would turn flushing on itself.
    log.writeLog("after\n");
    EXPECT_EQ(qvtest::withTimesMasked(qvtest::readFile(qv::LogManager::fileName)),
              "HH:MM:SS Message: \n8.000000\nHH:MM:SS Message: after\n");
    // Only setLocation and a changed border place it; unknown places are ignored.
    world.setView(qv::Box(qv::Vector(), 80, 24));
    view->setValue(3);
    view->setBorder(false);
    for (const int bad : {9, -1, 100}) {
        view->setLocation(static_cast<qv::ViewObjectLocation>(bad));
        EXPECT_EQ(view->getLocation(), qv::BOTTOM_RIGHT) << bad;
        EXPECT_EQ(view->getPosition(), placed) << bad;
    }
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
        {"score", 5, true, 0, 10}, {"Score ", 5, true, 0, 10}, {"Scor", 5, false, 0, 10},
    };
    qv::ViewObject view;
    view.setViewString("Score");
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("label '") + c.label + "'");
        view.setValue(10);
        const qv::EventView event(c.label, c.amount, c.relative);
        EXPECT_EQ(view.eventHandler(&event), c.handled);
        EXPECT_EQ(view.getValue(), c.value);
    }
    const qv::EventStep step;
    EXPECT_EQ(view.eventHandler(&step), 0);
    EXPECT_EQ(view.getValue(), 10);

    for (const int value : {-42, 1234567, INT_MIN}) {
        EXPECT_EQ(qv::toString(value), std::to_string(value));
    }
}

// A view object that counts its draws.
class CountingView : public qv::ViewObject {
public:
    int draw() override {
        ++draws;
        return qv::ViewObject::draw();
    }
    int draws = 0;
};

TEST_F(ViewObjects, GameLoopDrawsViewObjectsOutsideTheViewButNotPlainObjects) {
    auto* hud = new CountingView;
    hud->setPosition(qv::Vector(200, 200));
    auto* plain = new qvtest::RecordingObject;
    plain->setPosition(qv::Vector(200, 200));
    plain->setAltitude(4);
    qv::GameManager& game = qv::GameManager::getInstance();
    plain->onEvent = [&game](qvtest::RecordingObject&, const qv::Event* event) {
        game.setGameOver(event->getType() == qv::EventStep::TYPE);
    };
    game.setTiming([]() -> std::int64_t { return 0; }, [](std::int64_t) {});
    game.setGameOver(false);
    game.run();
    game.setTiming(nullptr, nullptr);

    EXPECT_EQ(hud->draws, 1);
    EXPECT_EQ(std::count(plain->received.begin(), plain->received.end(), "draw"), 0);
}

// Columns first..last but for the gaps.
std::vector<int> span(int first, int last, std::set<int> gaps = {}) {
    std::vector<int> columns;
    for (int column = first; column <= last; ++column) {
        if (gaps.count(column) == 0) {
            columns.push_back(column);
        }
    }
    return columns;
}

TEST_F(ViewObjects, DrawCentredTextBarsAndDashRows) {
    if (!qvtest::haveDisplay()) {
        GTEST_SKIP() << "needs an X display; run under xvfb-run";
    }
    ASSERT_TRUE(qvtest::startDisplay());
    qv::DisplayManager& display = qv::DisplayManager::getInstance();
    display.showFrame(); // the first frame is drawn on a surface nobody has cleared
    using Rows = std::map<int, std::vector<int>>;
    const struct {
        const char* label;
        int value;
        bool border;
        qv::ViewObjectLocation location;
        qv::Vector viewCorner;
        Rows lit;
    } cases[] = {
        // " Score 100 ": eleven characters over 35..45, the bars on its spaces.
        {"Score", 100, true, qv::TOP_CENTER, qv::Vector(),
         Rows{{0, span(35, 45)}, {1, span(35, 45, {41})}, {2, span(35, 45)}}},
        // " Score 10 ": ten characters over 35..44, the right bar one past them.
        // The anchor is relative to the view, so a moved view changes nothing.
        {"Score", 10, true, qv::TOP_CENTER, qv::Vector(10, 5),
         Rows{{0, span(35, 44)}, {1, span(35, 45, {41, 44})}, {2, span(35, 44)}}},
        {"Hi", -3, false, qv::BOTTOM_CENTER, qv::Vector(), Rows{{23, span(38, 42, {40})}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.label) + " " + std::to_string(c.value));
        world.setView(qv::Box(qv::Vector(), 80, 24));
        qv::ViewObject view;
        view.setViewString(c.label);
        view.setValue(c.value);
        view.setBorder(c.border);
        view.setLocation(c.location);
        view.setColor(qv::GREEN);
        world.setView(qv::Box(c.viewCorner, 80, 24));
        EXPECT_EQ(view.draw(), 0);
        const sf::Image image = qvtest::captureWindow();
        Rows lit;
        for (int row = 0; row < 24; ++row) {
            for (const int column : qvtest::litColumns(image, row)) {
                lit[row].push_back(column);
                EXPECT_GT(
                    qvtest::countPixels(image, qvtest::cellProbe(column, row), sf::Color::Green),
                    0);
            }
        }
        EXPECT_EQ(lit, c.lit);
        display.showFrame();
    }
    display.shutDown();
}

} // namespace
