// libFuzzer target for the replay reader: every input is read as a replay
// file. An accepted file must write back to exactly its own text with
// frames that never go back, or, when its last line was cut short, to the
// text before the frame that line belongs to, with no end record and no
// kept frame past the last whole one; a refused one must name a line and
// keep no records. Anything else traps.
#include "qv/replay/ReplayReader.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

void check(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    qv::ReplayReader reader;
    if (reader.parse(text) != 0) {
        check(reader.getError().rfind("line ", 0) == 0);
        check(reader.getRecords().empty());
        return 0;
    }
    // Every version the reader takes writes back under its own version line.
    std::string written = text.substr(0, text.find('\n') + 1);
    int frame = 0;
    for (const qv::ReplayRecord& record : reader.getRecords()) {
        check(record.frame >= frame);
        frame = record.frame;
        written += record.toLine() + "\n";
    }
    if (reader.getCutLine() == 0) {
        check(written == text);
        return 0;
    }
    check(!reader.hasEnd() && text.back() != '\n');
    check(text.compare(0, written.size(), written) == 0);
    check(reader.getRecords().empty() || frame <= reader.getLastFrame());
    // What was dropped is whole lines of one frame, then the cut line.
    const std::string dropped = text.substr(written.size());
    const std::size_t lastBreak = dropped.rfind('\n');
    for (std::size_t start = 0; lastBreak != std::string::npos && start <= lastBreak;) {
        const std::size_t stop = dropped.find('\n', start);
        qv::ReplayRecord record;
        std::string reason;
        check(record.parse(dropped.substr(start, stop - start), reason) == 0);
        check(record.frame == reader.getLastFrame() + 1);
        start = stop + 1;
    }
    return 0;
}
