// Gem Hunt played headless with the engine's test kit: keys fed by frame,
// frames run, the screen and the world read back.
#include "GemHunt.h"

#include <qv/qv.h>

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

qv::Object* only(const char* type) {
    const qv::ObjectList found = qv::WorldManager::getInstance().objectsOfType(type);
    return found.getCount() == 1 ? found[0] : nullptr;
}

// Holds key for count frames and runs them.
void walk(qv::TestGame& game, qv::Keyboard::Key key, int count) {
    game.hold(key, game.getFrame(), count);
    ASSERT_EQ(game.run(count), count);
}

TEST(GemHunt, TheExplorerWalksACellAFrameAndStopsAtTheWalls) {
    qv::TestGame game;
    ASSERT_EQ(game.start(startGemHunt), 0);
    const struct {
        qv::Keyboard::Key key;
        int frames;
        qv::Vector reached;
    } steps[] = {
        {qv::Keyboard::D, 5, {45, 13}},  {qv::Keyboard::A, 60, {2, 13}},
        {qv::Keyboard::W, 30, {2, 5}},   {qv::Keyboard::S, 30, {2, 21}},
        {qv::Keyboard::D, 90, {77, 21}},
    };
    for (const auto& step : steps) {
        walk(game, step.key, step.frames);
        ASSERT_NE(only("explorer"), nullptr);
        EXPECT_EQ(only("explorer")->getPosition(), step.reached) << "after key " << step.key;
    }
    // The head, in both frames of the sprite, is drawn in the explorer's colour.
    EXPECT_EQ(game.getGrid().charAt(77, 20), 'o') << game.getGrid().toText();
    EXPECT_EQ(game.getGrid().colorAt(77, 20), qv::CYAN);
}

TEST(GemHunt, AGemWalkedIntoLeavesTheRoomAndCountsOnTheHud) {
    qv::TestGame game;
    ASSERT_EQ(game.start(startGemHunt), 0);
    ASSERT_EQ(game.run(1), 1); // the first round is scattered on the first step
    const qv::ObjectList gems = qv::WorldManager::getInstance().objectsOfType("gem");
    ASSERT_EQ(gems.getCount(), 6);
    const int target = gems[0]->getId();
    const qv::Vector path = gems[0]->getPosition() - only("explorer")->getPosition();
    walk(game, path.x < 0 ? qv::Keyboard::A : qv::Keyboard::D, static_cast<int>(std::fabs(path.x)));
    walk(game, path.y < 0 ? qv::Keyboard::W : qv::Keyboard::S, static_cast<int>(std::fabs(path.y)));
    ASSERT_EQ(game.run(1), 1); // taken gems leave at the next update

    const qv::ObjectList left = qv::WorldManager::getInstance().objectsOfType("gem");
    for (int i = 0; i < left.getCount(); ++i) {
        EXPECT_NE(left[i]->getId(), target);
    }
    const std::string counter = "Gems " + std::to_string(6 - left.getCount()) + " ";
    EXPECT_LT(left.getCount(), 6);
    EXPECT_NE(game.getGrid().rowText(1).find(counter), std::string::npos)
        << game.getGrid().toText();
}

} // namespace
