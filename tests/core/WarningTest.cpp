// Calls made in the wrong order or naming something unknown keep their result
// and say why: one log line each, the run's first also on standard error.
#include "qv/core/GameManager.h"
#include "qv/core/LogManager.h"
#include "qv/resources/ResourceManager.h"
#include "qv/world/Object.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
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
    std::unique_ptr<qv::Object> early;
    const std::string sprite = qvtest::sourcePath("Sprites/bed-spr.txt");
    const std::string earlyObject =
        "Object made before GameManager::startUp(): not added to the world\n";
    // Each call, true when it returned what it always has; its warning.
    const std::pair<std::function<bool()>, std::string> cases[] = {
        {[&] { return (early = std::make_unique<qv::Object>()) != nullptr; }, earlyObject},
        {[&] { return resources.loadSprite(sprite, "early") == 0; },
         "loadSprite before GameManager::startUp(): 'early' is forgotten at start-up\n"},
        {[&] { return game.run(), true; }, "GameManager::run() before startUp(): no frames run\n"},
        // Not a misuse: warnings made before the log was open open it.
        {[&] { return game.setHeadless(true), game.startUp() == 0; }, ""},
        {[&] { return qvtest::logMessages().at(0) == earlyObject; }, ""},
        {[&] { return game.startUp() == 0; },
         "GameManager::startUp() while started: every manager restarts and the world is emptied\n"},
        {[&] { return game.setHeadless(false), !game.isHeadless(); },
         "GameManager::setHeadless() after startUp(): the display stays as it is until the next "
         "startUp()\n"},
        {[] { return qv::Object().setSprite("nope") == -1; },
         "setSprite: no sprite labelled 'nope'\n"},
        // Headless, as with sound: a missing file, and one that is no audio.
        {[&] { return resources.loadSound("none.wav", "a") == -1; },
         "Unable to load sound from file\n"},
        {[&] { return resources.loadMusic(sprite, "b") == -1; },
         "Unable to load music from file\n"},
    };
    // Checked after the capture, so that failures show.
    std::vector<std::pair<bool, long>> got;
    const qvtest::Captured output = qvtest::capture([&] {
        for (const auto& [call, line] : cases) {
            heard.clear();
            const bool kept = call();
            got.emplace_back(kept, std::count(heard.begin(), heard.end(), line));
        }
        game.shutDown();
        return 0;
    });
    for (std::size_t i = 0; i < got.size(); ++i) {
        EXPECT_TRUE(got[i].first) << cases[i].second;
        if (!cases[i].second.empty()) {
            EXPECT_EQ(got[i].second, 1) << cases[i].second;
        }
    }
    EXPECT_EQ(output.err, earlyObject);
}

} // namespace
