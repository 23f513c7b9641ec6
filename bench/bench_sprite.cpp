// Sprite file loading: one 20-frame, 12 x 6 sprite per iteration, read,
// checked and entered in the registry (the log is not started, so the cost
// is the reading and parsing).
#include "qv/resources/ResourceManager.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

// The resource manager opens the audio device; mix into nothing rather than
// probe for sound hardware the benchmark never uses.
const bool silentAudio = setenv("ALSOFT_DRIVERS", "null", 0) == 0;

std::string writeSpriteFile() {
    const int frames = 20;
    const int width = 12;
    const int height = 6;
    std::string text = "<HEADER>\nframes " + std::to_string(frames) + "\nwidth " +
                       std::to_string(width) + "\nheight " + std::to_string(height) +
                       "\ncolor yellow\nslowdown 3\n</HEADER>\n<BODY>\n";
    for (int frame = 0; frame < frames; ++frame) {
        for (int row = 0; row < height; ++row) {
            std::string line(static_cast<std::size_t>(width), ' ');
            for (int column = 0; column < width; ++column) {
                if ((column + row + frame) % 3 != 0) {
                    line[static_cast<std::size_t>(column)] =
                        static_cast<char>('!' + (column * 7 + row * 3 + frame) % 90);
                }
            }
            text += line + "\n";
        }
        text += "end\n";
    }
    text += "</BODY>\n<FOOTER>\nversion 1\n</FOOTER>\n";

    const std::string path = "/tmp/qv-bench-" + std::to_string(::getpid()) + "-spr.txt";
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

void BM_LoadSprite(benchmark::State& state) {
    const std::string path = writeSpriteFile();
    qv::ResourceManager& resources = qv::ResourceManager::getInstance();
    resources.startUp();
    int held = 0;
    for (auto _ : state) {
        if (held == qv::SpriteResourceManager::MAX_SPRITES) {
            state.PauseTiming();
            resources.shutDown();
            resources.startUp();
            held = 0;
            state.ResumeTiming();
        }
        if (resources.loadSprite(path, "bench") != 0) {
            state.SkipWithError("the sprite did not load");
            break;
        }
        ++held;
    }
    resources.shutDown();
    std::remove(path.c_str());
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LoadSprite)->Unit(benchmark::kMicrosecond);

} // namespace
