#include "qv/platform/desktop/win32/ConsoleStop.h"

#include "qv/core/GameManager.h"
#include "qv/core/Platform.h"

#include <windows.h>

#include <csignal>

namespace qv {

namespace {

volatile std::sig_atomic_t stopEvent = 0;

// Runs on a thread of its own that Windows starts for the event.
BOOL WINAPI onConsoleEvent(DWORD event) {
    stopEvent = static_cast<std::sig_atomic_t>(event) + 1;
    if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT) {
        return TRUE;
    }
    // Closing the console, logging off or shutting down ends the process as
    // soon as this returns: wait here instead, while the frame loop ends the
    // game and the program exits by itself (Windows allows some seconds).
    Sleep(INFINITE);
    return TRUE;
}

} // namespace

int ConsoleStop::install() {
    if (!SetConsoleCtrlHandler(onConsoleEvent, TRUE)) {
        return -1;
    }
    GameManager::getInstance().setStopFlag(&stopEvent);
    return 0;
}

int ConsoleStop::received() {
    return stopEvent;
}

int platform::catchStopSignals() {
    return ConsoleStop::install();
}

} // namespace qv
