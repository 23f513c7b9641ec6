// libFuzzer target for the replay reader: every input is read as a replay
// file. An accepted file must write back to exactly its own text with
// frames that never go back; a refused one must name a line and keep no
// records. Anything else traps.
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
    std::string written = std::string(qv::ReplayRecord::VERSION_LINE) + "\n";
    int frame = 0;
    for (const qv::ReplayRecord& record : reader.getRecords()) {
        check(record.frame >= frame);
        frame = record.frame;
        written += record.toLine() + "\n";
    }
    check(written == text);
    return 0;
}
