// Input: the SFML-to-engine key and button tables, start-up, and a few real
// key presses, clicks and pointer moves sent to the window under Xvfb.
#include "display/InputManager.h"
#include "core/EventKeyboard.h"
#include "core/EventMouse.h"
#include "core/LogManager.h"
#include "display/DisplayManager.h"
#include "world/WorldManager.h"

#include "support/RecordingObject.h"
#include "support/TestSupport.h"
#include "support/WindowCapture.h"
#include "support/XInput.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace {

using qv::InputManager;

TEST(KeyTable, MapsEveryListedKeyAndNothingElse) {
    std::map<int, int> expected = {
        {sf::Keyboard::Space, 0},     {sf::Keyboard::Enter, 1},     {sf::Keyboard::Escape, 2},
        {sf::Keyboard::Tab, 3},       {sf::Keyboard::Left, 4},      {sf::Keyboard::Right, 5},
        {sf::Keyboard::Up, 6},        {sf::Keyboard::Down, 7},      {sf::Keyboard::Pause, 8},
        {sf::Keyboard::Hyphen, 9},    {sf::Keyboard::Equal, 10},    {sf::Keyboard::Tilde, 11},
        {sf::Keyboard::Period, 12},   {sf::Keyboard::Comma, 13},    {sf::Keyboard::Slash, 14},
        {sf::Keyboard::LControl, 15}, {sf::Keyboard::RControl, 16}, {sf::Keyboard::LShift, 17},
        {sf::Keyboard::RShift, 18},   {sf::Keyboard::A, 31},        {sf::Keyboard::P, 46},
        {sf::Keyboard::Q, 47},        {sf::Keyboard::Z, 56},        {sf::Keyboard::Num1, 57},
        {sf::Keyboard::Num9, 65},     {sf::Keyboard::Num0, 66},
    };
    for (int i = 0; i < 12; ++i) {
        expected[sf::Keyboard::F1 + i] = 19 + i;
    }
    for (int i = 0; i < 26; ++i) {
        expected[sf::Keyboard::A + i] = 31 + i;
    }
    for (int i = 0; i < 9; ++i) {
        expected[sf::Keyboard::Num1 + i] = 57 + i;
    }
    ASSERT_EQ(expected.size(), 67u);

    for (int key = sf::Keyboard::Unknown; key < sf::Keyboard::KeyCount; ++key) {
        const auto found = expected.find(key);
        const int code = found == expected.end() ? -1 : found->second;
        EXPECT_EQ(InputManager::toEngineKey(static_cast<sf::Keyboard::Key>(key)), code)
            << "SFML key " << key;
    }
}

TEST(ButtonTable, MapsTheThreeMainButtons) {
    const std::pair<sf::Mouse::Button, qv::Mouse::Button> cases[] = {
        {sf::Mouse::Left, qv::Mouse::LEFT},          {sf::Mouse::Right, qv::Mouse::RIGHT},
        {sf::Mouse::Middle, qv::Mouse::MIDDLE},      {sf::Mouse::XButton1, qv::Mouse::UNDEFINED},
        {sf::Mouse::XButton2, qv::Mouse::UNDEFINED},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(InputManager::toEngineButton(c.first), c.second) << c.first;
    }
}

TEST(InputStartUp, RefusesWithoutAStartedDisplayAndLogsNothing) {
    qv::LogManager::getInstance().startUp();
    InputManager& input = InputManager::getInstance();
    EXPECT_EQ(input.getType(), "InputManager");
    EXPECT_EQ(input.startUp(), -1);
    EXPECT_FALSE(input.isStarted());
    EXPECT_TRUE(qvtest::logMessages().empty());
}

// One event as an object received it, in the frame getInput() ran in.
struct Seen {
    int frame;
    bool keyboard;
    int action;
    int code; // key or button
    qv::Vector location;
};

class RealInput : public ::testing::Test {
protected:
    void SetUp() override {
        if (!qvtest::haveDisplay() || !qvtest::haveXdotool()) {
            GTEST_SKIP() << "needs an X display and xdotool; run under xvfb-run";
        }
        qv::LogManager::getInstance().startUp();
        qv::WorldManager::getInstance().startUp();
        ASSERT_TRUE(qvtest::startDisplay());
        ASSERT_EQ(input.startUp(), 0);
        window = qv::DisplayManager::getInstance().getWindow()->getSystemHandle();

        auto* recorder = new qvtest::RecordingObject;
        recorder->onEvent = [this](qvtest::RecordingObject&, const qv::Event* event) {
            if (event->getType() == qv::EventKeyboard::TYPE) {
                const auto* key = static_cast<const qv::EventKeyboard*>(event);
                seen.push_back({frame, true, static_cast<int>(key->getKeyboardAction()),
                                key->getKey(), qv::Vector()});
            } else if (event->getType() == qv::EventMouse::TYPE) {
                const auto* mouse = static_cast<const qv::EventMouse*>(event);
                seen.push_back({frame, false, static_cast<int>(mouse->getMouseAction()),
                                mouse->getMouseButton(), mouse->getMousePosition()});
            }
        };

        // The window takes focus only once it is mapped; keep the frames going
        // until it does.
        const bool focused =
            pumpUntil([this] { return qvtest::xdotool("windowfocus " + std::to_string(window)); });
        ASSERT_TRUE(focused);
        // Two moves, so that at least one is a real move wherever the pointer
        // was left by an earlier test.
        const std::string move = "mousemove --window " + std::to_string(window);
        ASSERT_TRUE(qvtest::xdotool(move + " 90 90") && qvtest::xdotool(move + " 100 100"));
        pumpUntil([this] { return has(false, 2, -1); });
        seen.clear();
    }

    void TearDown() override {
        if (qv::DisplayManager::getInstance().getWindow() != nullptr) {
            qvtest::xdotool("keyup a d s w z 0 1 p space Escape BackSpace");
            qvtest::xdotool("mouseup 1");
            qvtest::xdotool("mouseup 3");
        }
        input.shutDown();
        qv::WorldManager::getInstance().shutDown();
        qv::DisplayManager::getInstance().shutDown();
        qv::LogManager::getInstance().shutDown();
    }

    /// Runs frames of input, a few milliseconds apart, until done() holds;
    /// false when it still does not after about three seconds.
    bool pumpUntil(const std::function<bool()>& done) {
        for (int attempt = 0; attempt < 600; ++attempt) {
            nextFrame();
            if (done()) {
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return false;
    }

    void nextFrame() {
        ++frame;
        input.getInput();
    }

    bool has(bool keyboard, int action, int code) const {
        return std::any_of(seen.begin(), seen.end(), [&](const Seen& s) {
            return s.keyboard == keyboard && s.action == action && s.code == code;
        });
    }

    std::vector<Seen> inFrame(int which) const {
        std::vector<Seen> events;
        std::copy_if(seen.begin(), seen.end(), std::back_inserter(events),
                     [which](const Seen& s) { return s.frame == which; });
        return events;
    }

    int count(bool keyboard, int action) const {
        return static_cast<int>(std::count_if(seen.begin(), seen.end(), [&](const Seen& s) {
            return s.keyboard == keyboard && s.action == action;
        }));
    }

    std::vector<std::string> logged(const std::string& prefix) const {
        std::vector<std::string> lines;
        for (const std::string& message : qvtest::logMessages()) {
            if (message.rfind(prefix, 0) == 0) {
                lines.push_back(message);
            }
        }
        return lines;
    }

    InputManager& input = InputManager::getInstance();
    unsigned long window = 0;
    int frame = 0;
    std::vector<Seen> seen;
};

constexpr int PRESSED = 0;
constexpr int RELEASED = 1;
constexpr int KEY_HELD = 2;
constexpr int CLICKED = 0;
constexpr int BUTTON_HELD = 1;
constexpr int MOVED = 2;
constexpr int KEY_P = 46;

TEST_F(RealInput, PressHoldAndReleaseOfP) {
    ASSERT_TRUE(qvtest::xdotool("keydown p"));
    ASSERT_TRUE(pumpUntil([this] { return has(true, PRESSED, KEY_P); }));
    // The window event comes first, then the poll finds the key down.
    const std::vector<Seen> first = inFrame(frame);
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(first[0].action, PRESSED);
    EXPECT_EQ(first[1].action, KEY_HELD);
    EXPECT_EQ(first[1].code, KEY_P);

    // Held past the X server's auto-repeat delay: still a single press.
    const auto holdUntil = std::chrono::steady_clock::now() + std::chrono::milliseconds(800);
    pumpUntil([&] { return std::chrono::steady_clock::now() > holdUntil; });
    const int heldFrames = frame - first[0].frame + 1;
    EXPECT_EQ(count(true, PRESSED), 1);
    EXPECT_EQ(count(true, KEY_HELD), heldFrames);

    ASSERT_TRUE(qvtest::xdotool("keyup p"));
    ASSERT_TRUE(pumpUntil([this] { return has(true, RELEASED, KEY_P); }));
    const std::vector<Seen> last = inFrame(frame);
    ASSERT_EQ(last.size(), 1u);
    EXPECT_EQ(last[0].code, KEY_P);

    EXPECT_EQ(logged("Keyboard"), (std::vector<std::string>{"Keyboard Action 0, Key 46\n",
                                                            "Keyboard Action 1, Key 46\n"}));
}

TEST_F(RealInput, OnlyTheFirstHeldKeyInPollingOrderIsReported) {
    // The expected key goes down last, so press order cannot explain the result.
    const struct {
        const char* keys;
        int pressedCodes[2];
        int held;
    } cases[] = {
        {"d a", {34, 31}, 31},       // A before D
        {"w s", {53, 49}, 49},       // S before W
        {"0 1", {66, 57}, 57},       // NUM1 before NUM0
        {"1 z", {57, 56}, 56},       // letters before digits
        {"Escape space", {2, 0}, 0}, // SPACE before ESCAPE
        {"BackSpace", {-1, -1}, -1}, // unknown: pressed, never held
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        seen.clear();
        ASSERT_TRUE(qvtest::xdotool(std::string("keydown ") + c.keys));
        ASSERT_TRUE(pumpUntil([&] {
            return has(true, PRESSED, c.pressedCodes[0]) && has(true, PRESSED, c.pressedCodes[1]);
        }));
        nextFrame();
        std::vector<Seen> held = inFrame(frame);
        if (c.held < 0) {
            EXPECT_TRUE(held.empty());
        } else {
            ASSERT_EQ(held.size(), 1u);
            EXPECT_EQ(held[0].action, KEY_HELD);
            EXPECT_EQ(held[0].code, c.held);
        }
        ASSERT_TRUE(qvtest::xdotool(std::string("keyup ") + c.keys));
        ASSERT_TRUE(pumpUntil([&] {
            return has(true, RELEASED, c.pressedCodes[0]) && has(true, RELEASED, c.pressedCodes[1]);
        }));
    }
    EXPECT_TRUE(logged("Keyboard Action 2").empty());
}

TEST_F(RealInput, MouseMovesClicksAndHeldButtons) {
    const std::size_t linesBefore = logged("Mouse").size();
    const std::string id = std::to_string(window);
    ASSERT_TRUE(qvtest::xdotool("mousemove --window " + id + " 512 300"));
    ASSERT_TRUE(pumpUntil([this] {
        return std::any_of(seen.begin(), seen.end(), [](const Seen& s) {
            return s.action == MOVED && s.location == qv::Vector(512, 300);
        });
    }));
    EXPECT_EQ(seen.back().code, -1);

    // Left and right held together: one held event per frame, for the left.
    ASSERT_TRUE(qvtest::xdotool("mousedown 1"));
    ASSERT_TRUE(qvtest::xdotool("mousedown 3"));
    ASSERT_TRUE(pumpUntil([this] { return has(false, CLICKED, 1); }));
    nextFrame();
    const std::vector<Seen> both = inFrame(frame);
    ASSERT_EQ(both.size(), 1u);
    EXPECT_EQ(both[0].action, BUTTON_HELD);
    EXPECT_EQ(both[0].code, 0);
    EXPECT_EQ(both[0].location, qv::Vector(512, 300));

    ASSERT_TRUE(qvtest::xdotool("mouseup 1"));
    ASSERT_TRUE(pumpUntil([this] {
        const std::vector<Seen> now = inFrame(frame);
        return now.size() == 1 && now[0].action == BUTTON_HELD && now[0].code == 1;
    }));
    ASSERT_TRUE(qvtest::xdotool("mouseup 3"));
    ASSERT_TRUE(pumpUntil([this] { return inFrame(frame).empty(); }));

    // The extra buttons are not the engine's.
    ASSERT_TRUE(qvtest::xdotool("click 8"));
    ASSERT_TRUE(pumpUntil([this] { return has(false, CLICKED, -1); }));

    const std::vector<std::string> lines = logged("Mouse");
    EXPECT_TRUE(qvtest::logHasInOrder({
        "Mouse Action 2, Location 512,300, Button -1\n",
        "Mouse Action 0, Location 512,300, Button 0\n",
        "Mouse Action 0, Location 512,300, Button 1\n",
        "Mouse Action 1, Location 512,300, Button 0\n",
        "Mouse Action 1, Location 512,300, Button 1\n",
        "Mouse Action 0, Location 512,300, Button -1\n",
    }));
    // Every mouse event is logged, the held ones included.
    EXPECT_EQ(static_cast<int>(lines.size() - linesBefore),
              count(false, CLICKED) + count(false, BUTTON_HELD) + count(false, MOVED));
}

TEST_F(RealInput, ClosingTheWindowKeepsInputRunning) {
    ASSERT_TRUE(qvtest::requestClose(window));
    sf::RenderWindow* display = qv::DisplayManager::getInstance().getWindow();
    ASSERT_TRUE(pumpUntil([display] { return !display->isOpen(); }));
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(qv::DisplayManager::getInstance().getWindow(), display);

    // With no window to take key events from, the poll still finds P down.
    ASSERT_TRUE(qvtest::xdotool("keydown p"));
    ASSERT_TRUE(pumpUntil([this] { return has(true, KEY_HELD, KEY_P); }));
    EXPECT_EQ(count(true, PRESSED), 0);
    ASSERT_TRUE(qvtest::xdotool("keyup p"));
}

} // namespace
