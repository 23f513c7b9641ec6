// libFuzzer target for the sprite loader: every input is loaded as a sprite
// file. A load that succeeds must give a self-consistent sprite; one that
// fails must leave the registry empty. Anything else traps.
#include "qv/core/LogManager.h"
#include "qv/display/Color.h"
#include "qv/resources/Frame.h"
#include "qv/resources/ResourceManager.h"
#include "qv/resources/Sprite.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// An in-memory file, reopened by path for each load.
int inputFd = -1;
std::string inputPath;

void check(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

bool writeInput(const std::uint8_t* data, std::size_t size) {
    if (ftruncate(inputFd, 0) != 0) {
        return false;
    }
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = pwrite(inputFd, data + done, size - done, static_cast<off_t>(done));
        if (n <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The resource manager owns SFML audio records: keep OpenAL off any device.
    setenv("ALSOFT_DRIVERS", "null", 1);
    inputFd = memfd_create("qv-fuzz-sprite", 0);
    if (inputFd < 0) {
        std::perror("memfd_create");
        std::abort();
    }
    inputPath = "/proc/self/fd/" + std::to_string(inputFd);
    // The loader's messages are formatted for real but thrown away.
    std::FILE* sink = std::fopen("/dev/null", "w");
    if (sink == nullptr) {
        std::abort();
    }
    qv::LogManager::getInstance().redirect(sink);
    qv::ResourceManager::getInstance().startUp();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (!writeInput(data, size)) {
        std::abort();
    }
    qv::ResourceManager& resources = qv::ResourceManager::getInstance();
    const int result = resources.loadSprite(inputPath, "fuzz");
    const qv::Sprite* sprite = resources.getSprite("fuzz");
    check(result == 0 || result == -2 || result == -3 || result == -4);
    check((result == 0) == (sprite != nullptr));
    if (sprite != nullptr) {
        const long long cells =
            static_cast<long long>(sprite->getWidth()) * static_cast<long long>(sprite->getHeight());
        check(sprite->getFrameCount() >= 1);
        check(sprite->getFrameCount() == sprite->getMaxFrameCount());
        check(sprite->getColor() >= qv::BLACK && sprite->getColor() <= qv::WHITE);
        for (int i = 0; i < sprite->getFrameCount(); ++i) {
            const qv::Frame frame = sprite->getFrame(i);
            check(frame.getWidth() == sprite->getWidth());
            check(frame.getHeight() == sprite->getHeight());
            check(static_cast<long long>(frame.getData().size()) == cells);
        }
    }
    // Back to an empty registry, so it never fills up.
    resources.shutDown();
    resources.startUp();
    return 0;
}
