#include "qv/replay/ReplayWriter.h"

#include <cerrno>
#include <cstring>

namespace qv {

ReplayWriter::~ReplayWriter() {
    close();
}

int ReplayWriter::open(const std::string& path) {
    close();
    error.clear();
    failed = false;
    file = std::fopen(path.c_str(), "w");
    if (file == nullptr) {
        error = std::string("cannot write: ") + std::strerror(errno);
        return -1;
    }
    std::fprintf(file, "%s\n", ReplayRecord::VERSION_LINE);
    pending = true;
    flush();
    return 0;
}

void ReplayWriter::write(const ReplayRecord& record) {
    if (file == nullptr) {
        return;
    }
    std::fputs(record.toLine().c_str(), file);
    std::fputc('\n', file);
    pending = true;
}

void ReplayWriter::flush() {
    // Frames without input write nothing: no system call for them.
    if (file != nullptr && pending) {
        failed = failed || std::fflush(file) != 0;
        pending = false;
    }
}

int ReplayWriter::close() {
    if (file == nullptr) {
        return failed ? -1 : 0;
    }
    flush();
    failed = failed || std::ferror(file) != 0;
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

const std::string& ReplayWriter::getError() const {
    return error;
}

} // namespace qv
