// HUD view objects: where the nine places put them, what they draw there and
// how view events change their value.
#include "qv/display/ViewObject.h"
#include "qv/core/EventStep.h"
#include "qv/core/EventView.h"
#include "qv/core/GameManager.h"
#include "qv/core/LogManager.h"
#include "qv/display/DisplayManager.h"
#include "qv/world/WorldManager.h"

#include "support/RecordingObject.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

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
    EXPECT_EQ(first->getColor(), qv::WHITE);
    EXPECT_EQ(first->getLocation(), qv::TOP_LEFT);
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

// Columns 33 to 47 of rows 11 to 13 about the anchor (40, 12): the text and,
// with the border, bars and dash rows. Every cell drawn, spaces too, takes
// the view's colour; '.' is a cell nothing drew.
TEST_F(ViewObjects, DrawTheTextCentredOnTheAnchorFramedOrBare) {
    qv::DisplayManager& display = qv::DisplayManager::getInstance();
    display.setHeadless(true);
    ASSERT_EQ(display.startUp(), 0);
    const struct {
        bool border;
        const char* label;
        int value;
        const char* rows[3];
    } cases[] = {
        {true, "Score", 100, {"..-----------..", "..|Score 100|..", "..-----------.."}},
        {false, "Score", 100, {"...............", "...Score 100...", "..............."}},
        {true, "Score", 10, {"..----------...", "..|Score 10 |..", "..----------..."}},
        {false, "", 7, {"...............", "...... 7.......", "..............."}},
    };
    // One object for all, each change made alone: what it draws follows.
    qv::ViewObject view;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.label) + " " + std::to_string(c.value));
        if (view.getViewString() != c.label) {
            view.setViewString(c.label);
        }
        view.setValue(c.value);
        view.setBorder(c.border);
        view.setColor(qv::GREEN);
        view.setLocation(qv::CENTER_CENTER);
        EXPECT_EQ(view.draw(), 0);
        display.showFrame();
        for (int row = 0; row < 3; ++row) {
            std::string shown;
            for (int column = 33; column < 48; ++column) {
                const bool drawn = display.getGrid().colorAt(column, 11 + row) == qv::GREEN;
                shown += drawn ? display.getGrid().charAt(column, 11 + row) : '.';
            }
            EXPECT_EQ(shown, c.rows[row]) << "row " << 11 + row;
        }
    }
    display.shutDown();
    display.setHeadless(false);
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

} // namespace
