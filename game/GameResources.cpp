#include "GameResources.h"

#include "qv/resources/ResourceManager.h"

#include <string>

void loadGameResources() {
    qv::ResourceManager& resources = qv::ResourceManager::getInstance();
    const char* sprites[] = {
        "empty",      "hero-right",  "hero-left",    "hero-attack-right", "hero-attack-left",
        "battleship", "implication", "implies",      "enemy-temp",        "racket",
        "quorvel",    "bed",         "bed-sleeping", "fireball",          "gamestart",
    };
    for (const char* label : sprites) {
        resources.loadSprite(std::string("Sprites/") + label + "-spr.txt", label);
    }
    resources.loadMusic("Audio/gamemusic.wav", "game-music");
    resources.loadSound("Audio/oof.wav", "hero-hit");
    resources.loadSound("Audio/growl.wav", "enemy-hit");
    resources.loadSound("Audio/thrust.wav", "hero-punch");
    resources.loadSound("Audio/boom.wav", "boom");
}
