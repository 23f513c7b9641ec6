// libFuzzer target for the terminal's escape-sequence reader. The first
// byte picks where the rest is cut in two: read whole or in two reads, the
// events must be the same, each a real key or a click inside the window,
// and once the reader gives up waiting nothing may stay behind. Anything
// else traps.
#include "qv/platform/terminal/TerminalReader.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

void check(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

bool same(const qv::InputEvent& a, const qv::InputEvent& b) {
    return a.kind == b.kind && a.action == b.action && a.code == b.code && a.x == b.x && a.y == b.y;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const char* bytes = reinterpret_cast<const char*>(data + 1);
    const std::size_t length = size - 1;
    const std::size_t cut = length == 0 ? 0 : data[0] % (length + 1);

    qv::TerminalReader whole;
    qv::TerminalReader split;
    std::vector<qv::InputEvent> wholeEvents;
    std::vector<qv::InputEvent> splitEvents;
    whole.feed(bytes, length, wholeEvents);
    split.feed(bytes, cut, splitEvents);
    split.feed(bytes + cut, length - cut, splitEvents);
    check(whole.isWaiting() == split.isWaiting());
    whole.expire(wholeEvents);
    split.expire(splitEvents);
    check(!whole.isWaiting());
    check(whole.reportsReleases() == split.reportsReleases());
    check(whole.getHeldButton() == split.getHeldButton());

    check(wholeEvents.size() == splitEvents.size());
    for (std::size_t i = 0; i < wholeEvents.size(); ++i) {
        const qv::InputEvent& event = wholeEvents[i];
        const qv::InputEvent& other = splitEvents[i];
        check(event.kind == other.kind && event.action == other.action &&
              event.code == other.code && event.x == other.x && event.y == other.y);
        if (event.kind == qv::InputEvent::Kind::KEY) {
            check(event.code >= qv::Keyboard::UNDEFINED &&
                  event.code <= qv::Keyboard::RIGHT_BRACKET);
            check(event.action >= 0 && event.action <= 2);
        } else {
            check(event.x >= 0 && event.x < 1024 && event.y >= 0 && event.y < 768);
            check(event.code >= qv::Mouse::UNDEFINED && event.code <= qv::Mouse::MIDDLE);
        }
    }
    return 0;
}
