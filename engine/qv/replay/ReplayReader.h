#ifndef QV_REPLAY_REPLAYREADER_H
#define QV_REPLAY_REPLAYREADER_H

#include "qv/replay/ReplayRecord.h"

#include <cstddef>
#include <string>
#include <vector>

namespace qv {

/// Reads a whole replay file before anything is played, strictly: the file
/// is accepted as a whole or refused with the first bad line's number and
/// the reason. One thing is forgiven: the last line of a recording that was
/// killed may be cut short; the frame it belongs to is then dropped whole.
/// Never reads past the size limit, whatever the file holds.
class ReplayReader {
public:
    /// Files larger than this are refused; the writer stops short of it.
    static constexpr std::size_t MAX_BYTES = 64u << 20;

    /// Reads the file, refusing it when it holds more than maxBytes. 0 on
    /// success; -1 with getError() set otherwise.
    int read(const std::string& path, std::size_t maxBytes = MAX_BYTES);

    /// Reads replay text held in memory, as read() reads a file's bytes.
    int parse(const std::string& text);

    /// "line N: reason" for the last refusal, or empty.
    const std::string& getError() const;

    /// The records in file order (empty after a refusal).
    const std::vector<ReplayRecord>& getRecords() const;

    /// Whether the file ends with an end record; a recording that was
    /// killed has none.
    bool hasEnd() const;

    /// The last frame the recording is known to have run to its end: the
    /// end record's frame, or for a killed recording the frame before the
    /// one cut short, else the last record's; -1 when not even the first
    /// frame was written whole.
    int getLastFrame() const;

    /// The number of the last line when it was cut short, or 0.
    int getCutLine() const;

private:
    int fail(int line, const std::string& reason);
    /// Drops the frame the cut-off last line belongs to; 0, or -1 on a
    /// fragment that cannot belong to this file.
    int cutAt(int line, const std::string& fragment, int lastFrame);

    std::vector<ReplayRecord> records;
    std::string error;
    int lastFrame = -1;
    int cutLine = 0;
};

} // namespace qv

#endif
