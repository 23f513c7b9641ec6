// Input: the SFML-to-engine key and button tables, start-up, and real key
// presses, clicks and pointer moves sent to the window under Xvfb.
#include "qv/display/InputManager.h"
#include "qv/core/EventKeyboard.h"
#include "qv/core/EventMouse.h"
#include "qv/core/GameManager.h"
#include "qv/core/LogManager.h"
#include "qv/display/DisplayManager.h"
#include "qv/platform/desktop/WindowInput.h"
#include "qv/world/WorldManager.h"

#include "support/RecordingObject.h"
#include "support/TestSupport.h"
#include "support/WindowCapture.h"
#include "support/XInput.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Window/Event.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace {

using qv::InputManager;

TEST(InputTables, MapEveryListedKeyAndTheThreeMainButtons) {
    // Codes 0 to 18 in this order, then F1-F12, A-Z, 1-9 and 0.
    const sf::Keyboard::Key named[] = {
        sf::Keyboard::Space,    sf::Keyboard::Enter,  sf::Keyboard::Escape, sf::Keyboard::Tab,
        sf::Keyboard::Left,     sf::Keyboard::Right,  sf::Keyboard::Up,     sf::Keyboard::Down,
        sf::Keyboard::Pause,    sf::Keyboard::Hyphen, sf::Keyboard::Equal,  sf::Keyboard::Tilde,
        sf::Keyboard::Period,   sf::Keyboard::Comma,  sf::Keyboard::Slash,  sf::Keyboard::LControl,
        sf::Keyboard::RControl, sf::Keyboard::LShift, sf::Keyboard::RShift};
    // Past NUM0 the keys only a replay's viewer tells apart.
    std::map<int, int> expected = {{sf::Keyboard::Num0, 66},
                                   {sf::Keyboard::Home, 67},
                                   {sf::Keyboard::End, 68},
                                   {sf::Keyboard::LBracket, 69},
                                   {sf::Keyboard::RBracket, 70}};
    for (int i = 0; i < 19; ++i) {
        expected[named[i]] = i;
    }
    for (int i = 0; i < 12; ++i) {
        expected[sf::Keyboard::F1 + i] = 19 + i;
    }
    for (int i = 0; i < 26; ++i) {
        expected[sf::Keyboard::A + i] = 31 + i;
    }
    for (int i = 0; i < 9; ++i) {
        expected[sf::Keyboard::Num1 + i] = 57 + i;
    }
    for (int key = sf::Keyboard::Unknown; key < sf::Keyboard::KeyCount; ++key) {
        const auto found = expected.find(key);
        EXPECT_EQ(qv::WindowInput::toEngineKey(static_cast<sf::Keyboard::Key>(key)),
                  found == expected.end() ? -1 : found->second)
            << "SFML key " << key;
    }
    const std::pair<sf::Mouse::Button, qv::Mouse::Button> buttons[] = {
        {sf::Mouse::Left, qv::Mouse::LEFT},          {sf::Mouse::Right, qv::Mouse::RIGHT},
        {sf::Mouse::Middle, qv::Mouse::MIDDLE},      {sf::Mouse::XButton1, qv::Mouse::UNDEFINED},
        {sf::Mouse::XButton2, qv::Mouse::UNDEFINED},
    };
    for (const auto& button : buttons) {
        EXPECT_EQ(qv::WindowInput::toEngineButton(button.first), button.second) << button.first;
    }
}

TEST(InputStartUp, RefusesWithoutAStartedDisplayAndLogsNothing) {
    qv::LogManager::getInstance().startUp();
    EXPECT_EQ(InputManager::getInstance().startUp(), -1);
    EXPECT_FALSE(InputManager::getInstance().isStarted());
    EXPECT_TRUE(qvtest::logMessages().empty());
}

// Events as an object received them, written as the log writes them.
std::string K(int action, int key) {
    return "Keyboard Action " + std::to_string(action) + ", Key " + std::to_string(key) + "\n";
}
std::string M(int action, int x, int y, int button) {
    return "Mouse Action " + std::to_string(action) + ", Location " + std::to_string(x) + "," +
           std::to_string(y) + ", Button " + std::to_string(button) + "\n";
}

// The texts that start with prefix (with keep false: those that do not).
std::vector<std::string> only(const std::string& prefix, std::vector<std::string> texts,
                              bool keep = true) {
    texts.erase(
        std::remove_if(texts.begin(), texts.end(),
                       [&](const std::string& t) { return (t.rfind(prefix, 0) == 0) != keep; }),
        texts.end());
    return texts;
}

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
        window = std::to_string(qv::DisplayManager::getInstance().getWindow()->getSystemHandle());
        // Compared with the documented type strings.
        (new qvtest::RecordingObject)->onEvent = [this](qvtest::RecordingObject&,
                                                        const qv::Event* event) {
            if (event->getType() == "qv::keyboard") {
                const auto* key = static_cast<const qv::EventKeyboard*>(event);
                note(K(static_cast<int>(key->getKeyboardAction()), key->getKey()));
            } else if (event->getType() == "qv::mouse") {
                const auto* mouse = static_cast<const qv::EventMouse*>(event);
                note(M(static_cast<int>(mouse->getMouseAction()),
                       static_cast<int>(mouse->getMousePosition().x),
                       static_cast<int>(mouse->getMousePosition().y), mouse->getMouseButton()));
            }
        };
        // The window takes focus only once mapped, so frames run until then.
        // Two moves: one is real wherever an earlier test left the pointer.
        ASSERT_TRUE(pumpUntil([this] { return qvtest::xdotool("windowfocus " + window); }));
        ASSERT_TRUE(qvtest::xdotool("mousemove --window " + window + " 90 90") &&
                    qvtest::xdotool("mousemove --window " + window + " 100 100"));
        pumpUntil([this] { return has(M(2, 100, 100, -1)); });
        seen.clear();
        frames.clear();
        logged = qvtest::logMessages().size();
    }
    void TearDown() override {
        if (!window.empty()) {
            qvtest::xdotool("keyup a d z 0 1 p space Escape BackSpace");
            qvtest::xdotool("mouseup 1");
            qvtest::xdotool("mouseup 2");
            qvtest::xdotool("mouseup 3");
        }
        input.shutDown();
        qv::WorldManager::getInstance().shutDown();
        qv::DisplayManager::getInstance().shutDown();
        qv::LogManager::getInstance().shutDown();
    }

    void note(const std::string& text) {
        seen.push_back(text);
        frames.push_back(frame);
    }
    // Frames of input a few milliseconds apart until done() holds; false
    // when it still does not after about three seconds.
    bool pumpUntil(const std::function<bool()>& done) {
        for (int attempt = 0; attempt < 600; ++attempt) {
            ++frame;
            input.getInput();
            input.frameShown();
            if (done()) {
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return false;
    }
    bool has(const std::string& text) const {
        return std::find(seen.begin(), seen.end(), text) != seen.end();
    }
    std::vector<std::string> inFrame(int which) const {
        std::vector<std::string> texts;
        for (std::size_t i = 0; i < seen.size(); ++i) {
            if (frames[i] == which) {
                texts.push_back(seen[i]);
            }
        }
        return texts;
    }
    // What the log gained since the test began.
    std::vector<std::string> newLines() const {
        const std::vector<std::string> all = qvtest::logMessages();
        return std::vector<std::string>(all.begin() + static_cast<std::ptrdiff_t>(logged),
                                        all.end());
    }

    InputManager& input = InputManager::getInstance();
    std::string window;
    int frame = 0;
    std::vector<std::string> seen;
    std::vector<int> frames;
    std::size_t logged = 0;
};

TEST_F(RealInput, KeysArePressedOnceHeldByPollingAndReleased) {
    // Held past the X server's auto-repeat delay: a single press, and the
    // window event comes before the poll in its frame.
    ASSERT_TRUE(qvtest::xdotool("keydown p"));
    ASSERT_TRUE(pumpUntil([this] { return has(K(0, 46)); }));
    const int first = frame;
    EXPECT_EQ(inFrame(first), std::vector<std::string>({K(0, 46), K(2, 46)}));
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(800);
    pumpUntil([&] { return std::chrono::steady_clock::now() > until; });
    EXPECT_EQ(std::count(seen.begin(), seen.end(), K(2, 46)), frame - first + 1);
    ASSERT_TRUE(qvtest::xdotool("keyup p"));
    ASSERT_TRUE(pumpUntil([this] { return has(K(1, 46)); }));
    EXPECT_EQ(inFrame(frame), std::vector<std::string>({K(1, 46)}));

    // Only the first held key in polling order is reported; the expected key
    // goes down last, so press order cannot explain it.
    const std::pair<const char*, int> cases[] = {
        {"d a", 31},         // A before D
        {"0 1", 57},         // NUM1 before NUM0
        {"1 z", 56},         // letters before digits
        {"Escape space", 0}, // SPACE before ESCAPE
        {"BackSpace", -1},   // unknown: pressed, never held
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first);
        ASSERT_TRUE(qvtest::xdotool(std::string("keydown ") + c.first));
        ASSERT_TRUE(pumpUntil([&] { return has(K(0, c.second)); }));
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        pumpUntil([] { return true; });
        EXPECT_EQ(inFrame(frame), c.second < 0 ? std::vector<std::string>()
                                               : std::vector<std::string>({K(2, c.second)}));
        ASSERT_TRUE(qvtest::xdotool(std::string("keyup ") + c.first));
        ASSERT_TRUE(pumpUntil([&] { return has(K(1, c.second)); }));
    }
    // Every press and release is logged, in order; held keys are not.
    EXPECT_EQ(only("Keyboard", newLines()), only("Keyboard Action 2", seen, false));

    // Likewise only the first held button in the order left, right, middle
    // (X buttons 1, 3, 2), at the pointer, whichever went down last.
    const struct {
        std::vector<int> pressed;
        int held;
    } buttons[] = {{{3, 1}, 0}, {{2, 3}, 1}, {{2}, 2}};
    const int engineButton[] = {-1, 0, 2, 1};
    for (const auto& b : buttons) {
        std::string down;
        std::string up;
        for (const int x : b.pressed) {
            down += " mousedown " + std::to_string(x);
            up += " mouseup " + std::to_string(x);
        }
        SCOPED_TRACE(down);
        seen.clear();
        frames.clear();
        ASSERT_TRUE(qvtest::xdotool(down));
        ASSERT_TRUE(pumpUntil([&] { return has(M(0, 100, 100, engineButton[b.pressed.back()])); }));
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        pumpUntil([] { return true; });
        EXPECT_EQ(inFrame(frame), std::vector<std::string>({M(1, 100, 100, b.held)}));
        ASSERT_TRUE(qvtest::xdotool(up));
        ASSERT_TRUE(pumpUntil([&] { return inFrame(frame).empty(); }));
    }

    // Keys and buttons held while another window has the focus are not the
    // game's; a key still held when the focus returns counts from then on.
    const std::string other = std::to_string(qvtest::openOtherWindow());
    ASSERT_TRUE(pumpUntil([&] { return qvtest::xdotool("windowfocus --sync " + other); }));
    ASSERT_TRUE(qvtest::xdotool("mousemove --window " + other + " 50 50"));
    seen.clear();
    frames.clear();
    ASSERT_TRUE(qvtest::xdotool("keydown p mousedown 1"));
    const auto away = std::chrono::steady_clock::now() + std::chrono::milliseconds(300);
    pumpUntil([&] { return std::chrono::steady_clock::now() > away; });
    EXPECT_EQ(only("Mouse Action 2", seen, false), std::vector<std::string>());
    ASSERT_TRUE(qvtest::xdotool("mouseup 1 windowfocus --sync " + window));
    ASSERT_TRUE(pumpUntil([this] { return has(K(2, 46)); }));
    EXPECT_FALSE(has(K(0, 46)));
    ASSERT_TRUE(qvtest::xdotool("keyup p"));

    // Closing the window ends the game after the frame, like Q on the start screen.
    qv::GameManager::getInstance().setGameOver(false);
    ASSERT_TRUE(qvtest::requestClose(std::stoul(window)));
    EXPECT_TRUE(pumpUntil([] { return qv::GameManager::getInstance().getGameOver(); }));
}

// Held past the auto-repeat delay, a key presses once while input runs, and
// again and again in the still-open window once it has shut down.
TEST_F(RealInput, KeyRepeatIsOffOnlyWhileInputRuns) {
    sf::RenderWindow& shown = *qv::DisplayManager::getInstance().getWindow();
    for (const bool running : {true, false}) {
        SCOPED_TRACE(running ? "running" : "shut down");
        if (!running) {
            input.shutDown();
        }
        seen.clear();
        int presses = 0;
        ASSERT_TRUE(qvtest::xdotool("keydown z"));
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(1200);
        pumpUntil([&] {
            for (sf::Event event; !running && shown.pollEvent(event);) {
                presses += event.type == sf::Event::KeyPressed ? 1 : 0;
            }
            return std::chrono::steady_clock::now() > until;
        });
        ASSERT_TRUE(qvtest::xdotool("keyup z"));
        if (running) {
            EXPECT_EQ(std::count(seen.begin(), seen.end(), K(0, 56)), 1);
        } else {
            EXPECT_GT(presses, 3);
        }
    }
}

} // namespace
