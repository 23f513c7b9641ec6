#ifndef QV_REPLAY_REPLAYWRITER_H
#define QV_REPLAY_REPLAYWRITER_H

#include "qv/replay/ReplayRecord.h"

#include <cstdio>
#include <string>

namespace qv {

/// Writes a replay file line by line. Lines are buffered within a frame and
/// flushed once per frame, so a killed run leaves every finished frame.
class ReplayWriter {
public:
    ReplayWriter() = default;
    /// Closes the file.
    ~ReplayWriter();
    ReplayWriter(const ReplayWriter&) = delete;
    ReplayWriter& operator=(const ReplayWriter&) = delete;

    /// Creates or empties the file and writes the version line. 0 on
    /// success; -1 with getError() set otherwise.
    int open(const std::string& path);

    /// Appends one record's line.
    void write(const ReplayRecord& record);

    /// Puts what was written since the last flush into the file.
    void flush();

    /// Flushes and closes. 0 when every line reached the file; -1 with
    /// getError() set otherwise (a full disk, say).
    int close();

    /// Whether a file is open for writing.
    bool isOpen() const;

    /// Why open() or close() failed, or empty.
    const std::string& getError() const;

private:
    std::FILE* file = nullptr;
    bool pending = false;
    bool failed = false;
    std::string error;
};

} // namespace qv

#endif
