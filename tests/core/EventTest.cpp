// Event defaults and the exactness of type comparison.
#include "core/EventCollision.h"
#include "core/EventKeyboard.h"
#include "core/EventMouse.h"
#include "core/EventOut.h"
#include "core/EventStep.h"
#include "core/EventView.h"

#include <gtest/gtest.h>

namespace {

TEST(Events, CarryTheirTypeStringsAndDefaults) {
    EXPECT_EQ(qv::Event().getType(), "qv::undefined");
    EXPECT_EQ(qv::EventOut().getType(), "qv::out");

    const qv::EventStep step;
    EXPECT_EQ(step.getType(), "qv::step");
    EXPECT_EQ(step.getStepCount(), 0);
    EXPECT_NE(step.getType(), "qv::Step");

    const qv::EventKeyboard keyboard;
    EXPECT_EQ(keyboard.getType(), "qv::keyboard");
    EXPECT_EQ(static_cast<int>(keyboard.getKey()), -1);
    EXPECT_EQ(static_cast<int>(keyboard.getKeyboardAction()), -1);

    const qv::EventMouse mouse;
    EXPECT_EQ(mouse.getType(), "qv::mouse");
    EXPECT_EQ(static_cast<int>(mouse.getMouseAction()), -1);
    EXPECT_EQ(static_cast<int>(mouse.getMouseButton()), -1);
    EXPECT_EQ(mouse.getMousePosition(), qv::Vector(0, 0));

    const qv::EventView view("Score", 5, true);
    EXPECT_EQ(view.getType(), "qv::view");
    EXPECT_EQ(view.getLabel(), "Score");
    EXPECT_EQ(view.getAmount(), 5);
    EXPECT_TRUE(view.isRelative());

    const qv::EventCollision collision(nullptr, nullptr, qv::Vector(5, 3));
    EXPECT_EQ(collision.getType(), "qv::collision");
    EXPECT_EQ(collision.getPosition(), qv::Vector(5, 3));
}

TEST(Events, KeyCodesFollowTheEngineTable) {
    EXPECT_EQ(qv::Keyboard::ESCAPE, 2);
    EXPECT_EQ(qv::Keyboard::F12, 30);
    EXPECT_EQ(qv::Keyboard::A, 31);
    EXPECT_EQ(qv::Keyboard::P, 46);
    EXPECT_EQ(qv::Keyboard::Q, 47);
    EXPECT_EQ(qv::Keyboard::Z, 56);
    EXPECT_EQ(qv::Keyboard::NUM1, 57);
    EXPECT_EQ(qv::Keyboard::NUM0, 66);
}

} // namespace
