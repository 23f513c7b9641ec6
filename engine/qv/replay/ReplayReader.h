#ifndef QV_REPLAY_REPLAYREADER_H
#define QV_REPLAY_REPLAYREADER_H

#include "qv/replay/ReplayRecord.h"

#include <cstddef>
#include <string>
#include <vector>

namespace qv {

/// Reads a whole replay file before anything is played, strictly: the file
/// is accepted as a whole or refused with the first bad line's number and
/// the reason. Never reads past the size limit, whatever the file holds.
class ReplayReader {
public:
    /// Files larger than this are refused.
    static constexpr std::size_t MAX_BYTES = 64u << 20;

    /// Reads the file. 0 on success; -1 with getError() set otherwise.
    int read(const std::string& path);

    /// Reads replay text held in memory, as read() reads a file's bytes.
    int parse(const std::string& text);

    /// "line N: reason" for the last refusal, or empty.
    const std::string& getError() const;

    /// The records in file order (empty after a refusal).
    const std::vector<ReplayRecord>& getRecords() const;

    /// Whether the file ends with an end record; a recording that was
    /// killed has none and plays up to its last record.
    bool hasEnd() const;

private:
    int fail(int line, const std::string& reason);

    std::vector<ReplayRecord> records;
    std::string error;
};

} // namespace qv

#endif
