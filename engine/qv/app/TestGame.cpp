#include "qv/app/TestGame.h"

#include "qv/core/GameManager.h"
#include "qv/display/DisplayManager.h"
#include "qv/display/InputManager.h"
#include "qv/display/InputSource.h"
#include "qv/replay/ReplaySession.h"

#include <memory>

namespace qv {

class TestGame::Script : public InputSource {
public:
    explicit Script(TestGame& game) : game(game) {}
    void collect(std::vector<InputEvent>& events) override { game.collect(events); }

private:
    TestGame& game;
};

TestGame::TestGame() : started(false), ended(false), frame(0), lastFrame(0) {}

TestGame::~TestGame() {
    if (started) {
        GameManager::getInstance().shutDown();
        InputManager::getInstance().setSource(nullptr);
    }
}

int TestGame::start(const std::function<int()>& setup) {
    GameManager& game = GameManager::getInstance();
    game.setHeadless(true);
    InputManager::getInstance().setSource(std::make_unique<Script>(*this));
    started = true;
    if (game.startUp() != 0) {
        return -1;
    }
    return setup && setup() != 0 ? -1 : 0;
}

int TestGame::startFromReplay(const std::string& path, int last,
                              const std::function<int()>& setup) {
    GameManager& game = GameManager::getInstance();
    ReplaySession& session = ReplaySession::getInstance();
    game.setHeadless(true);
    if (session.startReplay(path) != 0) {
        return -1;
    }
    started = true;
    if (game.startUp() != 0 || (setup && setup() != 0)) {
        session.finish();
        return -1;
    }
    game.beginRun();
    while (session.getFramesRun() <= last && game.step()) {
    }
    const bool reached = session.getFramesRun() == last + 1 && session.getMismatches() == 0;
    // From here on the frames are this test's.
    session.takeOver("");
    session.finish();
    InputManager::getInstance().setSource(std::make_unique<Script>(*this));
    frame = last + 1;
    return reached ? 0 : -1;
}

void TestGame::feed(int at, const InputEvent& event) {
    script.emplace(at, event);
}

void TestGame::hold(Keyboard::Key key, int at, int count) {
    for (int i = 0; i < count; ++i) {
        feed(at + i, InputEvent::key(KeyboardAction::HELD, key));
    }
}

void TestGame::collect(std::vector<InputEvent>& events) {
    const auto due = script.equal_range(frame);
    for (auto it = due.first; it != due.second; ++it) {
        events.push_back(it->second);
    }
    if (++frame == lastFrame) {
        GameManager::getInstance().setGameOver();
    }
}

int TestGame::run(int frames) {
    if (!started || ended || frames <= 0) {
        return 0;
    }
    const int first = frame;
    lastFrame = frame + frames;
    GameManager& game = GameManager::getInstance();
    game.setGameOver(false);
    game.run();
    ended = frame < lastFrame;
    return frame - first;
}

int TestGame::getFrame() const {
    return frame;
}

const TextGrid& TestGame::getGrid() const {
    return DisplayManager::getInstance().getGrid();
}

std::uint64_t TestGame::getWorldDigest() const {
    return ReplaySession::getInstance().worldDigest();
}

} // namespace qv
