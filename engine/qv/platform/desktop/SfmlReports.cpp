// SFML's error stream, turned into the log's machine reports.
#include "qv/core/LogManager.h"
#include "qv/core/Platform.h"

#include <SFML/System/Err.hpp>

#include <streambuf>
#include <string>

namespace qv {

namespace {

// Turns what SFML writes to its error stream into log messages, one a line.
class LogLines : public std::streambuf {
protected:
    int_type overflow(int_type ch) override {
        if (traits_type::eq_int_type(ch, traits_type::eof())) {
            return traits_type::not_eof(ch);
        }
        line += traits_type::to_char_type(ch);
        if (line.back() == '\n') {
            // SFML ends a report with an empty line: no message for that.
            if (line != "\n") {
                LogManager::getInstance().writeMachineReport(line.c_str());
            }
            line.clear();
        }
        return ch;
    }

private:
    std::string line;
};

} // namespace

void platform::captureLibraryReports() {
    // Never destroyed: SFML may still report while the program exits.
    static LogLines* const sfmlErrors = new LogLines;
    sf::err().rdbuf(sfmlErrors);
}

} // namespace qv
