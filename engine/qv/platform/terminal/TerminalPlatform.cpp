#include "qv/platform/terminal/TerminalPlatform.h"

#include "qv/display/DisplayManager.h"
#include "qv/display/InputManager.h"
#include "qv/platform/terminal/TerminalInput.h"
#include "qv/platform/terminal/TerminalScreen.h"

namespace qv {

void TerminalPlatform::use(bool takeInput) {
    auto session = std::make_shared<TerminalSession>();
    DisplayManager::getInstance().setScreen(std::make_unique<TerminalScreen>(session, takeInput));
    if (takeInput) {
        InputManager::getInstance().setSource(std::make_unique<TerminalInput>(session));
    }
}

} // namespace qv
