// How long a replay's viewer takes to seek in a ten-minute game, and what it
// keeps in memory for it. First plays 18,000 frames (ten minutes at 30 a
// second) of Quorvel headless with scripted keys and clicks (walking, fire,
// bursts, punches; a new game whenever one ends) and records them; then
// watches that recording headless and seeks forwards and backwards, printing
// one line a seek and the memory figures.
//
// Usage (from a directory holding Sprites/ and Audio/):
//   qv_replay_seek [--frames=N] [--file=PATH]
#include "QuorvelSetup.h"

#include "qv/app/ReplayCursor.h"
#include "qv/app/TestGame.h"
#include "qv/core/GameManager.h"
#include "qv/core/Platform.h"
#include "qv/core/Random.h"
#include "qv/replay/ReplayRecord.h"
#include "qv/replay/ReplaySession.h"

#include <cstdio>
#include <ctime>
#include <cstring>
#include <fstream>
#include <string>

namespace {

// The resident and peak memory of this process in KiB, from /proc.
long memoryKb(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::size_t length = std::strlen(field);
    while (std::getline(status, line)) {
        if (line.compare(0, length, field) == 0) {
            return std::stol(line.substr(length + 1));
        }
    }
    return -1;
}

int record(const std::string& path, int frames) {
    qv::ReplaySession& session = qv::ReplaySession::getInstance();
    if (session.startRecording(path) != 0) {
        std::fprintf(stderr, "%s\n", session.getError().c_str());
        return -1;
    }
    qv::TestGame game;
    if (game.start(quorvelSetup().start) != 0) {
        return -1;
    }
    // A player's ten minutes: a key held for half a second at a time, a
    // punch now and then, P on the start screen so that every game ended
    // starts a new one. Never Q, which quits on the start screen.
    const qv::Keyboard::Key keys[] = {qv::Keyboard::D, qv::Keyboard::A, qv::Keyboard::W,
                                      qv::Keyboard::S, qv::Keyboard::E, qv::Keyboard::R,
                                      qv::Keyboard::UNDEFINED};
    qv::Random script(7);
    for (int frame = 0; frame < frames; frame += 15) {
        const qv::Keyboard::Key key = keys[script.next() % 7];
        if (key != qv::Keyboard::UNDEFINED) {
            game.hold(key, frame, 15);
        }
        if (script.next() % 3 == 0) {
            game.feed(frame, qv::InputEvent::mouse(qv::MouseAction::CLICKED, qv::Mouse::LEFT,
                                                   500, 400));
        }
        if (frame % 150 == 0) {
            game.feed(frame, qv::InputEvent::key(qv::KeyboardAction::PRESSED, qv::Keyboard::P));
        }
    }
    const int ran = game.run(frames);
    session.finish();
    return ran == frames ? 0 : -1;
}

} // namespace

int main(int argc, char** argv) {
    int frames = 18000;
    std::string path = "ten-minutes.replay";
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--frames=", 9) == 0) {
            frames = std::atoi(argv[i] + 9);
        } else if (std::strncmp(argv[i], "--file=", 7) == 0) {
            path = argv[i] + 7;
        }
    }
    if (record(path, frames) != 0) {
        std::fprintf(stderr, "qv_replay_seek: recording %d frames failed\n", frames);
        return 1;
    }
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    const long long bytes = static_cast<long long>(file.tellg());

    const long before = memoryKb("VmRSS:");
    qv::ReplaySession& session = qv::ReplaySession::getInstance();
    qv::GameManager& game = qv::GameManager::getInstance();
    game.setHeadless(true);
    if (session.startReplay(path) != 0 || game.startUp() != 0 ||
        quorvelSetup().start() != 0) {
        std::fprintf(stderr, "qv_replay_seek: cannot watch %s\n", path.c_str());
        return 1;
    }
    game.beginRun();
    qv::ReplayCursor cursor(quorvelSetup().start);
    const int last = cursor.getLastFrame();
    const int targets[] = {last, last - 300, last / 2, last / 2 + 300, 0, last, 300, 1, last - 1};
    double worst = 0;
    int status = 0;
    for (const int target : targets) {
        const int from = cursor.getFrame();
        const std::int64_t start = qv::platform::monotonicMicros();
        const std::clock_t cpuStart = std::clock();
        const int result = cursor.seek(target);
        const double ms =
            static_cast<double>(qv::platform::monotonicMicros() - start) / 1000.0;
        const double cpuMs = 1000.0 * static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
        worst = ms > worst ? ms : worst;
        std::printf("seek from=%d to=%d %s ms=%.1f cpu_ms=%.1f mismatches=%d%s\n", from, target,
                    target > from ? "forwards" : "backwards", ms, cpuMs, session.getMismatches(),
                    result == 0 ? "" : " FAILED");
        status |= result != 0 || session.getMismatches() != 0;
    }
    std::printf("worst_ms=%.1f frames=%d file_bytes=%lld record_bytes=%zu rss_kb_before=%ld "
                "rss_kb_after=%ld peak_kb=%ld\n",
                worst, last + 1, bytes, sizeof(qv::ReplayRecord), before, memoryKb("VmRSS:"),
                memoryKb("VmHWM:"));
    session.stopReplay();
    session.finish();
    game.shutDown();
    return status;
}
