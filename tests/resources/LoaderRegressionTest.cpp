// Every input kept for the sprite loader fuzzer (its seed corpus and the
// inputs that once broke the loader) goes through the loader: it must return
// a loader result, never disturb a sprite already held, and add a consistent
// sprite or nothing. Shipped sprite files (*-spr.txt) must load.
#include "qv/core/LogManager.h"
#include "qv/resources/ResourceManager.h"
#include "qv/resources/Sprite.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

// A two-frame sprite held while each input is loaded.
const char* const HELD = "tests/fuzz/corpus/variant-two-frames.txt";

TEST(LoaderRegression, FuzzInputsLoadOrFailCleanly) {
    qv::LogManager::getInstance().startUp();
    qv::ResourceManager& resources = qv::ResourceManager::getInstance();
    int files = 0;
    for (const char* dir : {"tests/fuzz/corpus", "tests/fuzz/regressions"}) {
        const fs::path path = qvtest::sourcePath(dir);
        if (!fs::is_directory(path)) {
            continue;
        }
        for (const fs::directory_entry& entry : fs::directory_iterator(path)) {
            const std::string name = entry.path().string();
            SCOPED_TRACE(name);
            ++files;
            resources.startUp();
            ASSERT_EQ(resources.loadSprite(qvtest::sourcePath(HELD), "held"), 0);
            const qv::Sprite* held = resources.getSprite("held");

            const int result = resources.loadSprite(name, "input");
            EXPECT_TRUE(result == 0 || result == -2 || result == -3 || result == -4) << result;
            if (name.size() >= 8 && name.compare(name.size() - 8, 8, "-spr.txt") == 0) {
                EXPECT_EQ(result, 0);
            }
            EXPECT_EQ(resources.getSprite("held"), held);
            EXPECT_EQ(held->getFrameCount(), 2);
            const qv::Sprite* loaded = resources.getSprite("input");
            EXPECT_EQ(loaded != nullptr, result == 0);
            if (loaded != nullptr) { // frames of the promised size: the fuzz target
                EXPECT_EQ(loaded->getFrameCount(), loaded->getMaxFrameCount());
            }
            resources.shutDown();
        }
    }
    EXPECT_GE(files, 15);
}

} // namespace
