#include "GemHunt.h"

#include <qv/qv.h>

int main(int argc, char** argv) {
    qv::GameSetup setup;
    setup.programName = "gemhunt";
    setup.title = "Gem Hunt";
    setup.logFile = "gemhunt.log";
    setup.start = startGemHunt;
    return qv::runGame(argc, argv, setup);
}
