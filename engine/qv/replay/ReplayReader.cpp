#include "qv/replay/ReplayReader.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace qv {

int ReplayReader::fail(int line, const std::string& reason) {
    records.clear();
    error = "line " + std::to_string(line) + ": " + reason;
    return -1;
}

int ReplayReader::read(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return fail(1, std::string("cannot open: ") + std::strerror(errno));
    }
    std::string text;
    char buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0 && text.size() <= MAX_BYTES) {
        text.append(buffer, got);
    }
    const bool failed = std::ferror(file) != 0;
    const int readErrno = errno;
    std::fclose(file);
    if (failed) {
        return fail(1, std::string("cannot read: ") + std::strerror(readErrno));
    }
    if (text.size() > MAX_BYTES) {
        return fail(1, "file larger than " + std::to_string(MAX_BYTES >> 20) + " MiB");
    }
    return parse(text);
}

int ReplayReader::parse(const std::string& text) {
    records.clear();
    error.clear();
    if (text.empty()) {
        return fail(1, std::string("empty file, expected '") + ReplayRecord::VERSION_LINE + "'");
    }
    int lineNumber = 0;
    int lastFrame = 0;
    bool ended = false;
    std::size_t start = 0;
    while (start < text.size()) {
        ++lineNumber;
        const std::size_t stop = text.find('\n', start);
        if (stop == std::string::npos) {
            return fail(lineNumber, "truncated: the last line has no line break");
        }
        const std::string line = text.substr(start, stop - start);
        start = stop + 1;
        if (line.size() > 200 ||
            line.find_first_of(std::string("\r\t\0", 3)) != std::string::npos) {
            return fail(lineNumber, "garbled line (too long, or a control character)");
        }
        if (lineNumber == 1) {
            int version = 0;
            char rest = 0;
            if (std::sscanf(line.c_str(), "quorvel-replay %d%c", &version, &rest) != 1 ||
                line.compare(0, 15, "quorvel-replay ") != 0) {
                return fail(1, std::string("not a replay file (expected '") +
                                   ReplayRecord::VERSION_LINE + "')");
            }
            if (line != ReplayRecord::VERSION_LINE) {
                return fail(1, "replay version " + line.substr(15) +
                                   " is not supported (this build reads version " +
                                   std::to_string(ReplayRecord::VERSION) + ")");
            }
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
        if (record.frame < lastFrame) {
            return fail(lineNumber, "frame " + std::to_string(record.frame) +
                                        " comes after frame " + std::to_string(lastFrame));
        }
        lastFrame = record.frame;
        ended = record.kind == ReplayRecord::END;
        records.push_back(record);
    }
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

} // namespace qv
