#include "qv/replay/ReplayWriter.h"

#include <cerrno>
#include <cstring>

namespace qv {

ReplayWriter::~ReplayWriter() {
    close();
}

int ReplayWriter::open(const std::string& path, std::size_t maxBytes) {
    close();
    error.clear();
    failed = false;
    full = false;
    written = 0;
    limit = maxBytes;
    // Binary: Windows would write a carriage return before every line feed,
    // and a recording must read the same everywhere.
    file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        error = std::string("cannot write: ") + std::strerror(errno);
        return -1;
    }
    // Unbuffered: each flush() is then one write of the frame's whole lines,
    // where a stdio buffer would spill part of a long frame early.
    std::setvbuf(file, nullptr, _IONBF, 0);
    frameLines = std::string(ReplayRecord::VERSION_LINE) + '\n';
    flush();
    return 0;
}

void ReplayWriter::write(const ReplayRecord& record) {
    if (file != nullptr && !full) {
        frameLines += record.toLine();
        frameLines += '\n';
    }
}

void ReplayWriter::flush() {
    // Frames without input write nothing: no system call for them.
    if (file == nullptr || frameLines.empty()) {
        return;
    }
    if (written + frameLines.size() > limit) {
        full = true;
    } else if (std::fwrite(frameLines.data(), 1, frameLines.size(), file) != frameLines.size()) {
        failed = true;
        error = std::string("writing failed: ") + std::strerror(errno);
    } else {
        written += frameLines.size();
    }
    frameLines.clear();
}

int ReplayWriter::close() {
    if (file == nullptr) {
        return failed ? -1 : 0;
    }
    flush();
    failed = std::fclose(file) != 0 || failed;
    file = nullptr;
    if (failed && error.empty()) {
        error = std::string("writing failed: ") + std::strerror(errno);
    }
    return failed ? -1 : 0;
}

bool ReplayWriter::isOpen() const {
    return file != nullptr;
}

bool ReplayWriter::isFull() const {
    return full;
}

const std::string& ReplayWriter::getError() const {
    return error;
}

} // namespace qv
