#ifndef QV_TESTS_SUPPORT_XINPUT_H
#define QV_TESTS_SUPPORT_XINPUT_H

// Driving the X server the way a player would, for end-to-end input tests
// under Xvfb: real key presses, clicks and pointer moves through xdotool.

#include <string>

namespace qvtest {

/// True when the xdotool program can be run.
bool haveXdotool();

/// Runs "xdotool <arguments>", killed after a few seconds if it hangs;
/// true when it succeeded.
bool xdotool(const std::string& arguments);

/// Sends the window the request its title bar's close button would send.
/// False when the X library or the display cannot be reached.
bool requestClose(unsigned long window);

} // namespace qvtest

#endif
