// Quorvel: guard the sleeper's bed against waves of enemies.
#include "QuorvelSetup.h"

#include "qv/app/RunGame.h"

int main(int argc, char** argv) {
    return qv::runGame(argc, argv, quorvelSetup());
}
