// Plays the real game for many rounds with random key presses and clicks
// made by the X server, in its real window and loop, with the shipped
// sprites and sounds, and checks after every round that the world is back to
// the start screen alone. Frames run back to back (a fake clock), so a round
// of several minutes of game time takes seconds.
//
// Run it from a directory holding Sprites/, Audio/ and qv-font.ttf, under an
// X server (xvfb-run). Exit status 0 only when every check held.
//
// Options (all optional):
//   --seed=N            the random input sequence (default 1234)
//   --games=N           rounds to play (default 10)
//   --play=MIN:MAX      frames of random play before Escape (default 60:600)
//   --nightmare-every=N every Nth round is lost to the nightmare instead of
//                       Escape: the hero keeps out of the bed (default 5,
//                       0 = never; such a round lasts about 3000 frames)
//   --timeout=SECONDS   wall-clock limit for the whole run, for a hang inside
//                       the game itself (default 600, 0 = none)
//
// The game's own enemy placement reseeds the C generator from the calendar
// time, so only the input sequence, not the whole run, repeats for a seed.
#include "FakeInput.h"
#include "GlDriver.h"

#include "GameOver.h"
#include "GameResources.h"
#include "GameStart.h"
#include "Nightmare.h"

#include "qv/core/EventStep.h"
#include "qv/core/GameManager.h"
#include "qv/core/LogManager.h"
#include "qv/core/Platform.h"
#include "qv/display/DisplayManager.h"
#include "qv/world/Object.h"
#include "qv/world/WorldManager.h"

#include <SFML/Graphics/RenderWindow.hpp>

#include <X11/keysym.h>
#include <unistd.h>

#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <random>
#include <string>

namespace {

struct Options {
    unsigned seed = 1234;
    int games = 10;
    int playMin = 60;
    int playMax = 600;
    int nightmareEvery = 5;
    int timeoutSeconds = 600;
};

// Frames each phase may take before the run is called a failure. Generous:
// they exist so a broken game fails with a message instead of hanging.
constexpr int START_LIMIT = 200;      // start screen until the hero exists
constexpr int ESCAPE_LIMIT = 30;      // Escape held until the hero is gone
constexpr int OVER_LIMIT = 220;       // game-over text: 150 steps
constexpr int SETTLE_LIMIT = 120;     // fireballs flying out after that
constexpr int NIGHTMARE_LIMIT = 4500; // 99 levels x 30 steps out of bed, plus walking
constexpr int QUIT_LIMIT = 30;

// The bed spans columns 30.5 to 49.5; a hero whose centre is past this
// column cannot touch it.
constexpr float CLEAR_OF_BED = 56.0f;

void timedOut(int) {
    static const char message[] = "FAIL: the run took longer than its --timeout\n";
    const ssize_t ignored = write(STDOUT_FILENO, message, sizeof message - 1);
    static_cast<void>(ignored);
    _exit(1);
}

std::int64_t fakeNow = 0;

std::int64_t fakeTime() {
    return fakeNow;
}

// Every frame starts the moment the previous one ends.
void fakeSleep(std::int64_t wakeAt) {
    if (wakeAt > fakeNow) {
        fakeNow = wakeAt;
    }
}

struct Report {
    int games = 0;
    long frames = 0;
    int maxObjects = 0;
    int maxSettleFrames = 0;
    int endedByEscape = 0;
    int endedByNightmare = 0;
    int endedByEnemies = 0;
    bool quit = false;
    std::string failure;
};

enum class Phase { Start, Play, Escape, Over, Settle, Quit };

/// Not part of the game: watches the world from its step handler and plays
/// through the X server. Intangible and never drawn, and no game object
/// looks for its type, so it changes nothing but the count it leaves out.
class SoakDriver : public qv::Object {
public:
    SoakDriver(const Options& options, Report& report, qvbench::FakeInput& input)
        : options(options), report(report), input(input), rng(options.seed) {
        setType("SoakDriver");
        setSolidity(qv::Solidity::Intangible);
        setAltitude(-1);
        enter(Phase::Start);
    }

    int eventHandler(const qv::Event* event) override {
        if (event->getType() != qv::EventStep::TYPE || !report.failure.empty()) {
            return 0;
        }
        ++report.frames;
        census();
        if (report.failure.empty()) {
            act();
        }
        return 1;
    }

private:
    struct Census {
        int total = 0; // without the driver
        std::map<std::string, int> types;
        const qv::Object* hero = nullptr;
        const GameOver* gameOver = nullptr;
        int bedLevel = -1;
        int of(const std::string& type) const {
            const auto found = types.find(type);
            return found == types.end() ? 0 : found->second;
        }
        std::string describe() const {
            std::string text;
            for (const auto& entry : types) {
                text += " " + entry.first + "=" + std::to_string(entry.second);
            }
            return text;
        }
    };

    void census() {
        const qv::ObjectList all = qv::WorldManager::getInstance().getAllObjects();
        now = Census();
        for (int i = 0; i < all.getCount(); ++i) {
            const qv::Object* object = all[i];
            if (object == this) {
                continue;
            }
            ++now.total;
            ++now.types[object->getType()];
            if (object->getType() == "Hero") {
                now.hero = object;
            } else if (object->getType() == "GameOver") {
                now.gameOver = static_cast<const GameOver*>(object);
            } else if (object->getType() == "Bed") {
                now.bedLevel = static_cast<const Nightmare*>(object)->getNightmareLevel();
            }
        }
        if (now.bedLevel >= 0) {
            lastBedLevel = now.bedLevel;
        }
        if (now.total > report.maxObjects) {
            report.maxObjects = now.total;
        }
        // An old wave and its successor meet for the rest of one frame.
        if (now.of("GameStart") > 1 || now.of("Hero") > 1 || now.of("GameOver") > 1 ||
            now.of("Bed") > 1 || now.of("Wave") > 2) {
            fail("too many of one kind:" + now.describe());
        }
    }

    void act() {
        ++phaseFrames;
        switch (phase) {
        case Phase::Start:
            onStartScreen();
            break;
        case Phase::Play:
            onPlay();
            break;
        case Phase::Escape:
            if (now.hero == nullptr) {
                ++report.endedByEscape;
                gameEnded();
            } else if (phaseFrames > ESCAPE_LIMIT) {
                fail("Escape held, but the game did not end");
            }
            break;
        case Phase::Over:
            onGameOver();
            break;
        case Phase::Settle:
            onSettle();
            break;
        case Phase::Quit:
            if (phaseFrames > QUIT_LIMIT) {
                fail("Q held on the start screen, but the program did not end");
            }
            break;
        }
    }

    void onStartScreen() {
        if (now.hero != nullptr) {
            input.releaseAll();
            enter(Phase::Play);
            return;
        }
        if (phaseFrames > START_LIMIT) {
            fail("P held on the start screen, but no game started");
            return;
        }
        if (phaseFrames == 2) {
            pointAtWindow();
        }
        if (phaseFrames == pressAt) {
            input.key(XK_p, true);
        } else if (phaseFrames == pressAt + holdFor) {
            input.key(XK_p, false);
        }
    }

    void onPlay() {
        if (now.hero == nullptr) {
            // The hero ends the game at level 99, seen one step late at most.
            if (lastBedLevel >= 98) {
                ++report.endedByNightmare;
            } else {
                ++report.endedByEnemies;
            }
            gameEnded();
            return;
        }
        if (nightmareRound) {
            if (phaseFrames > NIGHTMARE_LIMIT) {
                fail("the hero stayed out of bed, but the nightmare never ended the game");
                return;
            }
            // Back to the bed's right-hand side whenever knock-backs or
            // random keys bring the hero near it.
            const bool nearBed = now.hero->getPosition().x < CLEAR_OF_BED;
            input.key(XK_d, nearBed);
            if (nearBed) {
                return;
            }
        } else if (phaseFrames >= playFor) {
            input.releaseAll();
            input.key(XK_Escape, true);
            enter(Phase::Escape);
            return;
        }
        randomAction();
    }

    // Holds one or two keys, or the mouse button, for a random number of
    // frames, with idle gaps between.
    void randomAction() {
        if (--actionLeft > 0) {
            return;
        }
        input.releaseAll();
        actionLeft = between(1, 20);
        if (between(0, 3) == 0) {
            return;
        }
        // Moving keys would walk a nightmare round's hero back to bed.
        static const unsigned long ALL_KEYS[] = {XK_a, XK_d, XK_w, XK_s, XK_e, XK_r, XK_q};
        static const unsigned long STILL_KEYS[] = {XK_e, XK_r, XK_q};
        const unsigned long* keys = nightmareRound ? STILL_KEYS : ALL_KEYS;
        const int keyCount = nightmareRound ? 3 : 7;
        const int choice = between(0, keyCount);
        if (choice == keyCount) {
            pointAtWindow();
            input.button(1, true);
            actionLeft = between(1, 3);
            return;
        }
        input.key(keys[choice], true);
        if (between(0, 4) == 0) {
            input.key(keys[between(0, keyCount - 1)], true);
        }
    }

    void gameEnded() {
        input.releaseAll();
        // "end" went to every game object in the frame the hero died and they
        // were deleted in that frame's update; only the game-over screen and
        // fireballs in flight stay.
        for (const auto& entry : now.types) {
            if (entry.first != "GameOver" && entry.first != "Fireball") {
                fail("after the end of a game objects stayed:" + now.describe());
                return;
            }
        }
        if (now.gameOver == nullptr || !now.gameOver->isEnded()) {
            fail("the game ended without its game-over screen");
            return;
        }
        enter(Phase::Over);
    }

    void onGameOver() {
        if (now.of("GameStart") == 1) {
            enter(Phase::Settle);
            onSettle();
        } else if (phaseFrames > OVER_LIMIT) {
            fail("the start screen did not come back after the game-over screen");
        }
    }

    void onSettle() {
        for (const auto& entry : now.types) {
            if (entry.first != "GameStart" && entry.first != "Fireball") {
                fail("with the start screen back objects stayed:" + now.describe());
                return;
            }
        }
        if (now.total != 1) {
            if (phaseFrames > SETTLE_LIMIT) {
                fail("fireballs never left the world:" + now.describe());
            }
            return;
        }
        if (phaseFrames > report.maxSettleFrames) {
            report.maxSettleFrames = phaseFrames;
        }
        ++report.games;
        if (report.games < options.games) {
            enter(Phase::Start);
            return;
        }
        pointAtWindow();
        input.key(XK_q, true);
        report.quit = true;
        enter(Phase::Quit);
    }

    void enter(Phase next) {
        phase = next;
        phaseFrames = 0;
        if (next == Phase::Start) {
            pressAt = between(3, 20);
            holdFor = between(1, 6);
        } else if (next == Phase::Play) {
            const int round = report.games + 1;
            nightmareRound = options.nightmareEvery > 0 && round % options.nightmareEvery == 0;
            playFor = between(options.playMin, options.playMax);
            actionLeft = 0;
        }
    }

    void pointAtWindow() { input.focus(between(20, 1000), between(20, 740)); }

    void fail(const std::string& what) {
        if (!report.failure.empty()) {
            return;
        }
        report.failure = "game " + std::to_string(report.games + 1) + ", frame " +
                         std::to_string(report.frames) + ": " + what;
        input.releaseAll();
        qv::GameManager::getInstance().setGameOver(true);
    }

    int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); }

    const Options& options;
    Report& report;
    qvbench::FakeInput& input;
    std::mt19937 rng;
    Census now;
    Phase phase = Phase::Start;
    int phaseFrames = 0;
    int pressAt = 0;
    int holdFor = 0;
    int playFor = 0;
    int actionLeft = 0;
    bool nightmareRound = false;
    int lastBedLevel = 0;
};

bool parse(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const auto value = [&](const char* name) -> const char* {
            const std::size_t length = std::strlen(name);
            return argument.compare(0, length, name) == 0 ? argv[i] + length : nullptr;
        };
        if (const char* text = value("--seed=")) {
            options.seed = static_cast<unsigned>(std::strtoul(text, nullptr, 10));
        } else if (const char* text = value("--games=")) {
            options.games = std::atoi(text);
        } else if (const char* text = value("--play=")) {
            if (std::sscanf(text, "%d:%d", &options.playMin, &options.playMax) != 2) {
                return false;
            }
        } else if (const char* text = value("--nightmare-every=")) {
            options.nightmareEvery = std::atoi(text);
        } else if (const char* text = value("--timeout=")) {
            options.timeoutSeconds = std::atoi(text);
        } else {
            return false;
        }
    }
    return options.games >= 1 && options.playMin >= 1 && options.playMax >= options.playMin &&
           options.nightmareEvery >= 0 && options.timeoutSeconds >= 0;
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parse(argc, argv, options)) {
        std::fprintf(stderr, "usage: qv_soak [--seed=N] [--games=N] [--play=MIN:MAX] "
                             "[--nightmare-every=N] [--timeout=SECONDS]\n");
        return 2;
    }
    // Sounds play into OpenAL's silent device, as in the tests: the same
    // code runs with or without a sound card, and no error floods stderr.
    setenv("ALSOFT_DRIVERS", "null", 0);
    std::signal(SIGALRM, timedOut);
    alarm(static_cast<unsigned>(options.timeoutSeconds));
    const std::int64_t started = qv::platform::monotonicMicros();

    qv::GameManager& game = qv::GameManager::getInstance();
    if (game.startUp() != 0) {
        std::fprintf(stderr, "qv_soak: the engine did not start (no X display or no font?)\n");
        game.shutDown();
        return 1;
    }
    qvbench::keepGlDriverLoaded();
    qvbench::FakeInput input;
    if (!input.open(qv::DisplayManager::getInstance().getWindow()->getSystemHandle())) {
        std::fprintf(stderr, "qv_soak: %s\n", input.error().c_str());
        game.shutDown();
        return 1;
    }

    qv::LogManager::getInstance().setFlush(true);
    loadGameResources();
    Report report;
    new SoakDriver(options, report, input);
    new GameStart;
    game.setTiming(fakeTime, fakeSleep);
    game.run();
    input.releaseAll();
    qvbench::keepGlDriverLoaded();
    game.shutDown();

    if (report.failure.empty() && (!report.quit || report.games != options.games)) {
        report.failure = "the loop ended before all games were played";
    }
    const double seconds =
        static_cast<double>(qv::platform::monotonicMicros() - started) / 1000000.0;
    std::printf("seed=%u games=%d frames=%ld max_objects=%d max_settle_frames=%d "
                "ended_by_escape=%d ended_by_nightmare=%d ended_by_enemies=%d keys=%ld "
                "clicks=%ld seconds=%.1f %s\n",
                options.seed, report.games, report.frames, report.maxObjects,
                report.maxSettleFrames, report.endedByEscape, report.endedByNightmare,
                report.endedByEnemies, input.keyPresses(), input.buttonPresses(), seconds,
                report.failure.empty() ? "ok" : "FAILED");
    if (!report.failure.empty()) {
        std::printf("FAIL: %s\n", report.failure.c_str());
    }
    // Seen even when a sanitizer's exit-time check then aborts the process.
    std::fflush(stdout);
    return report.failure.empty() ? 0 : 1;
}
