#ifndef QV_TESTS_SUPPORT_XINPUT_H
#define QV_TESTS_SUPPORT_XINPUT_H

// Real key presses, clicks and pointer moves through xdotool, under Xvfb.

#include <string>

namespace qvtest {

bool haveXdotool();
/// Runs "xdotool <arguments>", killed after a few seconds; true on success.
bool xdotool(const std::string& arguments);
/// Sends the window the request its title bar's close button would send.
bool requestClose(unsigned long window);
/// Maps a small window of another client at the screen's corner, to take the
/// focus from the game's; its id, or 0.
unsigned long openOtherWindow();

} // namespace qvtest

#endif
