// close_window WINDOW_ID: sends the window the request its title bar's close
// button sends, for the shell tests; xdotool can only destroy a window.
#include "support/XInput.h"

#include <cstdlib>

int main(int argc, char** argv) {
    return argc == 2 && qvtest::requestClose(std::strtoul(argv[1], nullptr, 0)) ? 0 : 1;
}
