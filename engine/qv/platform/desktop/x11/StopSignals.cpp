#include "qv/platform/desktop/x11/StopSignals.h"

#include "qv/core/GameManager.h"
#include "qv/core/Platform.h"

#include <csignal>

#include <signal.h>

namespace qv {

namespace {

volatile std::sig_atomic_t stopSignal = 0;

// Anything more than setting the flag is unsafe inside a handler.
void rememberSignal(int number) {
    stopSignal = number;
}

} // namespace

int StopSignals::install() {
    struct sigaction action {};
    action.sa_handler = rememberSignal;
    sigemptyset(&action.sa_mask);
    // Restarted calls keep SFML and the file writes unaware of the signal.
    action.sa_flags = SA_RESTART;
    for (const int number : {SIGTERM, SIGINT, SIGHUP}) {
        if (sigaction(number, &action, nullptr) != 0) {
            return -1;
        }
    }
    GameManager::getInstance().setStopFlag(&stopSignal);
    return 0;
}

int StopSignals::received() {
    return stopSignal;
}

int platform::catchStopSignals() {
    return StopSignals::install();
}

} // namespace qv
