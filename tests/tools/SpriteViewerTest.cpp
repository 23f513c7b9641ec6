// The sprite viewer's core in a real window: its status line and messages
// word for word, a change on disk picked up once, a closed window ending the
// loop. Drawing, breaking and mending in the real program: sprite_view.sh.
#include "SpriteViewer.h"

#include "GlDriver.h"
#include "support/TestSupport.h"

#include "qv/core/EventStep.h"
#include "qv/core/GameManager.h"
#include "qv/display/DisplayManager.h"
#include "qv/resources/ResourceManager.h"
#include "qv/world/WorldManager.h"

#include <SFML/Graphics/RenderWindow.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

class Viewer : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("ALSOFT_DRIVERS", "null", 0);
        ASSERT_EQ(display.startUp(), 0);
        qvbench::keepGlDriverLoaded();
        qv::ResourceManager::getInstance().startUp();
        world.startUp();
        world.setView(qv::Box(qv::Vector(), 80, 24));
    }
    void TearDown() override {
        world.shutDown();
        qv::ResourceManager::getInstance().shutDown();
        display.shutDown();
    }
    // Three frames of the viewer as the loop would run them.
    void showFrames(SpriteViewer& viewer) {
        const qv::EventStep step;
        for (int i = 0; i < 3; ++i) {
            viewer.eventHandler(&step);
            viewer.draw();
            display.showFrame();
        }
    }
    qv::DisplayManager& display = qv::DisplayManager::getInstance();
    qv::WorldManager& world = qv::WorldManager::getInstance();
};

TEST_F(Viewer, ReloadsOnlyWhenTheFileChangesAndQuitsWhenTheWindowCloses) {
    const std::string path = "ship-spr.txt";
    ASSERT_TRUE(qvtest::writeFile(path, qvtest::spriteText(2, 3, 2, 4, "red")));
    auto* viewer = new SpriteViewer(path);
    ASSERT_NE(viewer->getLoadedSprite(), nullptr);
    EXPECT_EQ(viewer->statusLine(), "label: ship  frames: 2  size: 3 x 2  slowdown: 4");
    EXPECT_FALSE(viewer->reloadIfChanged());

    // One row one character short: line 10 of the file.
    std::string text = qvtest::spriteText(2, 3, 2, 4, "red");
    text.replace(text.find("AAA\nend"), 3, "AA");
    ASSERT_TRUE(qvtest::writeFile(path, text));
    EXPECT_TRUE(viewer->reloadIfChanged());
    EXPECT_EQ(viewer->getLoadedSprite(), nullptr);
    const std::vector<std::string>& rows = viewer->getMessages();
    EXPECT_NE(std::find(rows.begin(), rows.end(),
                        "    Error! Line 10: Line length is 2 (frame width is 3)."),
              rows.end());

    qv::GameManager& game = qv::GameManager::getInstance();
    game.setGameOver(false);
    showFrames(*viewer);
    EXPECT_FALSE(game.getGameOver());
    display.getWindow()->close();
    showFrames(*viewer);
    EXPECT_TRUE(game.getGameOver());
}

} // namespace
