// SFML's error stream, turned into the log's machine reports.
#include "qv/core/LogManager.h"
#include "qv/core/Platform.h"

#include <SFML/System/Err.hpp>

#include <cstddef>
#include <streambuf>

namespace qv {

namespace {

// Turns what SFML writes to its error stream into log messages, one a line.
class LogLines : public std::streambuf {
protected:
    int_type overflow(int_type ch) override {
        if (traits_type::eq_int_type(ch, traits_type::eof())) {
            return traits_type::not_eof(ch);
        }
        // Each thread gathers its own line, so two reports never mix. Plain
        // characters: SFML reports while the program exits, after a
        // thread's objects are gone. A longer line goes out in pieces.
        thread_local char line[512];
        thread_local std::size_t length = 0;
        line[length++] = traits_type::to_char_type(ch);
        if (line[length - 1] == '\n' || length == sizeof line - 1) {
            line[length] = '\0';
            // SFML ends a report with an empty line: no message for that.
            if (length > 1 || line[0] != '\n') {
                LogManager::getInstance().writeMachineReport(line);
            }
            length = 0;
        }
        return ch;
    }
};

} // namespace

void platform::captureLibraryReports() {
    // Never destroyed: SFML may still report while the program exits.
    static LogLines* const sfmlErrors = new LogLines;
    sf::err().rdbuf(sfmlErrors);
}

} // namespace qv
