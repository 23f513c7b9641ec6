// Calls made in the wrong order or naming something unknown keep their result
// and say why: one log line each, the run's first also on standard error.
#include "qv/core/GameManager.h"
#include "qv/core/LogManager.h"
#include "qv/resources/ResourceManager.h"
#include "qv/world/Object.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

TEST(Warnings, EachMisuseKeepsItsResultAndLogsOneLineTheFirstAlsoOnStderr) {
    qv::GameManager& game = qv::GameManager::getInstance();
    qv::ResourceManager& resources = qv::ResourceManager::getInstance();
    std::vector<std::string> heard;
    qv::LogManager::getInstance().setObserver(
        [](const char* text, void* to) {
            static_cast<std::vector<std::string>*>(to)->push_back(text);
        },
        &heard);
    std::fflush(stderr);
    const int savedStderr = dup(2);
    std::FILE* captured = std::fopen("stderr.txt", "w");
    dup2(fileno(captured), 2);

    std::unique_ptr<qv::Object> early;
    const char* const earlyObject =
        "Object made before GameManager::startUp(): not added to the world\n";
    const std::string sprite = qvtest::sourcePath("Sprites/bed-spr.txt");
    struct Case {
        const char* call;
        std::function<int()> make;
        int result;
        const char* line; // null: a step, not a misuse
    };
    const Case cases[] = {
        {"object before startUp",
         [&] {
             early = std::make_unique<qv::Object>();
             return 0;
         },
         0, earlyObject},
        {"loadSprite before startUp", [&] { return resources.loadSprite(sprite, "early"); }, 0,
         "loadSprite before GameManager::startUp(): 'early' is forgotten at start-up\n"},
        {"run before startUp",
         [&] {
             game.run();
             return 0;
         },
         0, "GameManager::run() before startUp(): no frames run\n"},
        {"headless startUp",
         [&] {
             game.setHeadless(true);
             // Warnings made before the log was open open it.
             return game.startUp() == 0 && qvtest::logMessages().at(0) == earlyObject ? 0 : -1;
         },
         0, nullptr},
        {"second startUp", [&] { return game.startUp(); }, 0,
         "GameManager::startUp() while started: every manager restarts and the world is emptied\n"},
        {"setHeadless after startUp",
         [&] {
             game.setHeadless(false);
             return game.isHeadless() ? 1 : 0;
         },
         0,
         "GameManager::setHeadless() after startUp(): the display stays as it is until the next "
         "startUp()\n"},
        {"setSprite unknown", [] { return qv::Object().setSprite("nope"); }, -1,
         "setSprite: no sprite labelled 'nope'\n"},
        // Headless, as with sound: a missing file, and one that is no audio.
        {"loadSound missing", [&] { return resources.loadSound("none.wav", "a"); }, -1,
         "Unable to load sound from file\n"},
        {"loadMusic not audio", [&] { return resources.loadMusic(sprite, "b"); }, -1,
         "Unable to load music from file\n"},
    };
    for (const Case& c : cases) {
        heard.clear();
        EXPECT_EQ(c.make(), c.result) << c.call;
        if (c.line != nullptr) {
            EXPECT_EQ(std::count(heard.begin(), heard.end(), c.line), 1) << c.call;
        }
    }
    game.shutDown();

    std::fflush(stderr);
    dup2(savedStderr, 2);
    std::fclose(captured);
    EXPECT_EQ(qvtest::readFile("stderr.txt"), earlyObject);
}

} // namespace
