#include "qv/platform/terminal/TerminalPlatform.h"

#include "qv/display/DisplayManager.h"
#include "qv/platform/terminal/TerminalScreen.h"

namespace qv {

void TerminalPlatform::use() {
    DisplayManager::getInstance().setScreen(
        std::make_unique<TerminalScreen>(std::make_shared<TerminalSession>()));
}

} // namespace qv
