#include "GemHunt.h"

#include <qv/qv.h>

int main() {
    qv::DisplayManager::getInstance().setTitle("Gem Hunt");
    qv::GameManager& game = qv::GameManager::getInstance();
    const int status = game.startUp() == 0 && startGemHunt() == 0 ? 0 : 1;
    if (status == 0) {
        game.run();
    }
    game.shutDown();
    return status;
}
