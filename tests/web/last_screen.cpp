// Plays a replay headless as quorvel does, then prints the last frame's
// characters and its colours as digits, as the golden .screen files hold
// them: where the browser test expects the page's canvas to draw.
// Usage: qv_last_screen REPLAY
#include "qv/app/RunGame.h"
#include "qv/display/DisplayManager.h"

#include "QuorvelSetup.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: qv_last_screen REPLAY\n", stderr);
        return 2;
    }
    const char* args[] = {"quorvel", "--replay", argv[1], "--headless", nullptr};
    const int status = qv::runGame(4, const_cast<char**>(args), quorvelSetup());
    const qv::TextGrid& grid = qv::DisplayManager::getInstance().getGrid();
    std::fputs(grid.toText().c_str(), stdout);
    for (int row = 0; row < grid.getRows(); ++row) {
        for (int column = 0; column < grid.getColumns(); ++column) {
            std::putchar('0' + grid.colorAt(column, row));
        }
        std::putchar('\n');
    }
    return status;
}
