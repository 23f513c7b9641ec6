#include "support/TestSupport.h"

#include "core/LogManager.h"

#include <fstream>
#include <regex>
#include <sstream>

namespace qvtest {

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool writeFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    return static_cast<bool>(out);
}

std::vector<std::string> logMessages() {
    qv::LogManager& log = qv::LogManager::getInstance();
    // With flush on, writing an empty message pushes out everything before it.
    log.setFlush(true);
    log.writeLog("%s", "");
    const std::string text = readFile(qv::LogManager::fileName);
    static const std::regex prefix(R"(\d\d:\d\d:\d\d Message: )");
    std::vector<std::string> messages;
    auto begin = std::sregex_iterator(text.begin(), text.end(), prefix);
    const auto end = std::sregex_iterator();
    for (auto match = begin; match != end; ++match) {
        const auto start = static_cast<std::size_t>(match->position() + match->length());
        auto next = std::next(match);
        const std::size_t stop =
            next == end ? text.size() : static_cast<std::size_t>(next->position());
        // Empty messages are the flushes written above.
        if (stop > start) {
            messages.push_back(text.substr(start, stop - start));
        }
    }
    return messages;
}

bool logHasInOrder(const std::vector<std::string>& expected) {
    const std::vector<std::string> messages = logMessages();
    std::size_t found = 0;
    for (const std::string& message : messages) {
        if (found < expected.size() && message == expected[found]) {
            ++found;
        }
    }
    return found == expected.size();
}

std::string sourcePath(const std::string& relative) {
    return std::string(QV_SOURCE_DIR) + "/" + relative;
}

} // namespace qvtest
