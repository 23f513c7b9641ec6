#include "qv/replay/ReplayReader.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <utility>

namespace qv {

namespace {

bool isGarbled(std::string_view line) {
    return line.size() > 200 || line.find_first_of(std::string_view("\r\t\0", 3)) != line.npos;
}

// The frame number of a line cut short, when all of it was written (a space
// follows it) as the writer writes numbers; -1 otherwise.
int frameOfFragment(const std::string& fragment) {
    const std::size_t end = fragment.find(' ', 2);
    if (fragment.size() < 3 || fragment[1] != ' ' || end == std::string::npos) {
        return -1;
    }
    const std::string number = fragment.substr(2, end - 2);
    int frame = -1;
    const char* last = number.data() + number.size();
    const auto [stop, status] = std::from_chars(number.data(), last, frame);
    return status == std::errc() && stop == last && std::to_string(frame) == number ? frame : -1;
}

} // namespace

int ReplayReader::fail(int line, const std::string& reason) {
    records.clear();
    lastFrame = -1;
    cutLine = 0;
    error = "line " + std::to_string(line) + ": " + reason;
    return -1;
}

int ReplayReader::read(const std::string& path, std::size_t maxBytes) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return fail(1, std::string("cannot open: ") + std::strerror(errno));
    }
    std::string text;
    char buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0 && text.size() <= maxBytes) {
        text.append(buffer, got);
    }
    const bool failed = std::ferror(file) != 0;
    const int readErrno = errno;
    std::fclose(file);
    if (failed) {
        return fail(1, std::string("cannot read: ") + std::strerror(readErrno));
    }
    if (text.size() > maxBytes) {
        return fail(1, "file larger than " + std::to_string(maxBytes) + " bytes");
    }
    return parse(text);
}

int ReplayReader::parse(const std::string& text) {
    records.clear();
    error.clear();
    cutLine = 0;
    if (text.empty()) {
        return fail(1, std::string("empty file, expected '") + ReplayRecord::VERSION_LINE + "'");
    }
    int lineNumber = 0;
    int previousFrame = 0;
    bool objectsAllowed = false;
    bool ended = false;
    std::size_t start = 0;
    while (start < text.size()) {
        ++lineNumber;
        const std::size_t stop = text.find('\n', start);
        if (stop == std::string::npos && (lineNumber == 1 || ended)) {
            return fail(lineNumber, "truncated: the last line has no line break");
        }
        const std::string_view line = std::string_view(text).substr(start, stop - start);
        if (isGarbled(line)) {
            return fail(lineNumber, "garbled line (too long, or a control character)");
        }
        if (stop == std::string::npos) {
            return cutAt(lineNumber, std::string(line), previousFrame);
        }
        start = stop + 1;
        if (lineNumber == 1) {
            const std::string first(line);
            int version = 0;
            char rest = 0;
            if (std::sscanf(first.c_str(), "quorvel-replay %d%c", &version, &rest) != 1 ||
                first.compare(0, 15, "quorvel-replay ") != 0) {
                return fail(1, std::string("not a replay file (expected '") +
                                   ReplayRecord::VERSION_LINE + "')");
            }
            if (version < 1 || version > ReplayRecord::VERSION ||
                first != "quorvel-replay " + std::to_string(version)) {
                return fail(1, "replay version " + first.substr(15) +
                                   " is not supported (this build reads versions 1 to " +
                                   std::to_string(ReplayRecord::VERSION) + ")");
            }
            objectsAllowed = version >= 2;
            continue;
        }
        if (ended) {
            return fail(lineNumber, "record after the end record");
        }
        ReplayRecord record;
        std::string reason;
        if (record.parse(line, reason) != 0) {
            return fail(lineNumber, reason);
        }
        if (record.kind == ReplayRecord::OBJECT && !objectsAllowed) {
            return fail(lineNumber, "'O' records need version 2");
        }
        if (record.frame < previousFrame) {
            return fail(lineNumber, "frame " + std::to_string(record.frame) +
                                        " comes after frame " + std::to_string(previousFrame));
        }
        previousFrame = record.frame;
        ended = record.kind == ReplayRecord::END;
        records.push_back(std::move(record));
    }
    lastFrame = records.empty() ? -1 : records.back().frame;
    return 0;
}

int ReplayReader::cutAt(int line, const std::string& fragment, int lastWholeFrame) {
    // The fragment belongs to the frame being written when the program was
    // killed; if its number was not written whole, it can only be that of
    // the last whole line or later.
    int frame = frameOfFragment(fragment);
    if (frame < 0) {
        frame = lastWholeFrame;
    } else if (frame < lastWholeFrame) {
        return fail(line, "frame " + std::to_string(frame) + " comes after frame " +
                              std::to_string(lastWholeFrame));
    }
    while (!records.empty() && records.back().frame >= frame) {
        records.pop_back();
    }
    lastFrame = frame - 1;
    cutLine = line;
    return 0;
}

const std::string& ReplayReader::getError() const {
    return error;
}

const std::vector<ReplayRecord>& ReplayReader::getRecords() const {
    return records;
}

bool ReplayReader::hasEnd() const {
    return !records.empty() && records.back().kind == ReplayRecord::END;
}

int ReplayReader::getLastFrame() const {
    return lastFrame;
}

int ReplayReader::getCutLine() const {
    return cutLine;
}

} // namespace qv
