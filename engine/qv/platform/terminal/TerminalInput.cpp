#include "qv/platform/terminal/TerminalInput.h"

#include <chrono>
#include <csignal>

namespace qv {

TerminalInput::TerminalInput(std::shared_ptr<TerminalSession> terminal)
    : session(std::move(terminal)) {}

void TerminalInput::collect(std::vector<InputEvent>& events) {
    if (!session->isOpen()) {
        return;
    }
    read.clear();
    char bytes[512];
    bool arrived = false;
    for (std::size_t got; (got = session->read(bytes, sizeof bytes)) > 0;) {
        reader.feed(bytes, got, read);
        arrived = true;
    }
    // A frame's wait for the rest of a sequence is plenty: terminals send a
    // sequence in one write.
    if (!arrived && reader.isWaiting()) {
        reader.expire(read);
    }
    if (reader.takeInterrupt()) {
        std::raise(SIGINT);
    }
    const long long nowMs = std::chrono::duration_cast<std::chrono::milliseconds>(
                                std::chrono::steady_clock::now().time_since_epoch())
                                .count();
    for (const InputEvent& event : read) {
        held.accept(event, reader.reportsReleases(), nowMs, events);
    }
    held.endFrame(nowMs, events);
    if (reader.getHeldButton() != Mouse::UNDEFINED) {
        events.push_back(InputEvent::mouse(MouseAction::HELD, reader.getHeldButton(),
                                           reader.getMouseX(), reader.getMouseY()));
    }
}

} // namespace qv
