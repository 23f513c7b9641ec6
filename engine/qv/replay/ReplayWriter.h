#ifndef QV_REPLAY_REPLAYWRITER_H
#define QV_REPLAY_REPLAYWRITER_H

#include "qv/replay/ReplayReader.h"
#include "qv/replay/ReplayRecord.h"

#include <cstddef>
#include <cstdio>
#include <string>

namespace qv {

/// Writes a replay file. A frame's lines are gathered in memory and put into
/// the file with one write of whole lines, so a run killed at any moment
/// leaves every finished frame and at most one frame cut short. The file
/// never grows past a size limit: the largest file the reader accepts.
class ReplayWriter {
public:
    ReplayWriter() = default;
    /// Closes the file.
    ~ReplayWriter();
    ReplayWriter(const ReplayWriter&) = delete;
    ReplayWriter& operator=(const ReplayWriter&) = delete;

    /// Creates or empties the file and writes the version line; the file
    /// will hold at most maxBytes. 0 on success; -1 with getError() set.
    int open(const std::string& path, std::size_t maxBytes = ReplayReader::MAX_BYTES);

    /// Appends one record's line to the current frame's lines.
    void write(const ReplayRecord& record);

    /// Puts the current frame's lines into the file, or, when they would
    /// take the file past its limit, stops writing for good (see isFull()).
    void flush();

    /// Flushes and closes. 0 when every line reached the file or the writer
    /// stopped at the limit; -1 with getError() set otherwise (a full disk).
    int close();

    /// Whether a file is open for writing.
    bool isOpen() const;

    /// Whether writing stopped because the file reached its size limit; the
    /// file then ends with the last frame that fitted, and no end record.
    bool isFull() const;

    /// Why open() or close() failed, or empty.
    const std::string& getError() const;

private:
    std::FILE* file = nullptr;
    std::string frameLines;
    std::size_t written = 0;
    std::size_t limit = 0;
    bool full = false;
    bool failed = false;
    std::string error;
};

} // namespace qv

#endif
