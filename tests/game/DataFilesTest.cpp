// Every shipped sprite and sound loads with the real loaders, without a
// single warning or error, and the sprites fit the game's rules.
#include "GameFixture.h"

#include "resources/Sprite.h"
#include "support/TestSupport.h"

namespace {

using DataFiles = GameFixture;

TEST_F(DataFiles, AllLoadWithoutWarningsOrErrors) {
    qv::ResourceManager& resources = qv::ResourceManager::getInstance();
    for (const char* label :
         {"empty", "hero-right", "hero-left", "hero-attack-right", "hero-attack-left", "battleship",
          "implication", "implies", "enemy-temp", "racket", "quorvel", "bed", "bed-sleeping",
          "fireball", "gamestart"}) {
        EXPECT_NE(resources.getSprite(label), nullptr) << label;
    }
    EXPECT_NE(resources.getMusic("game-music"), nullptr);
    for (const char* label : {"hero-hit", "enemy-hit", "hero-punch", "boom"}) {
        EXPECT_NE(resources.getSound(label), nullptr) << label;
    }
    for (const std::string& message : qvtest::logMessages()) {
        EXPECT_EQ(message.find("Warning"), std::string::npos) << message;
        EXPECT_EQ(message.find("Error"), std::string::npos) << message;
        EXPECT_EQ(message.find("Unable"), std::string::npos) << message;
    }
}

TEST_F(DataFiles, SpritesFitTheRulesOfTheGame) {
    qv::ResourceManager& resources = qv::ResourceManager::getInstance();
    // Narrower battleships leave the world while they are being placed.
    EXPECT_GE(resources.getSprite("battleship")->getWidth(), 6);
    // The title fits the grid around its centre.
    EXPECT_LE(resources.getSprite("gamestart")->getWidth(), 80);
    EXPECT_LE(resources.getSprite("gamestart")->getHeight(), 24);
    // The bed is as large when the sleeper lies in it as when it is empty,
    // so the in-bed test does not flicker as its picture changes.
    EXPECT_EQ(resources.getSprite("bed")->getWidth(),
              resources.getSprite("bed-sleeping")->getWidth());
    EXPECT_EQ(resources.getSprite("bed")->getHeight(),
              resources.getSprite("bed-sleeping")->getHeight());
}

} // namespace
