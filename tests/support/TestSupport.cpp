#include "support/TestSupport.h"

#include "core/LogManager.h"
#include "resources/ResourceManager.h"

#include <cctype>
#include <cstdlib>
#include <fstream>
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

namespace {

/// True when text holds "HH:MM:SS Message: " at position at.
bool isPrefixAt(const std::string& text, std::size_t at) {
    static const std::string pattern = "00:00:00 Message: ";
    if (at + pattern.size() > text.size()) {
        return false;
    }
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = text[at + i];
        const bool matches =
            pattern[i] == '0' ? std::isdigit(static_cast<unsigned char>(c)) != 0 : c == pattern[i];
        if (!matches) {
            return false;
        }
    }
    return true;
}

} // namespace

std::vector<std::string> logMessages() {
    qv::LogManager& log = qv::LogManager::getInstance();
    // With flush on, writing an empty message pushes out everything before it.
    log.setFlush(true);
    log.writeLog("%s", "");
    const std::string text = readFile(qv::LogManager::fileName);
    const std::size_t prefixLength = std::string("00:00:00 Message: ").size();
    std::vector<std::size_t> starts;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (isPrefixAt(text, at)) {
            starts.push_back(at);
            at += prefixLength - 1;
        }
    }
    std::vector<std::string> messages;
    for (std::size_t i = 0; i < starts.size(); ++i) {
        const std::size_t begin = starts[i] + prefixLength;
        const std::size_t stop = i + 1 < starts.size() ? starts[i + 1] : text.size();
        // Empty messages are the flushes written above.
        if (stop > begin) {
            messages.push_back(text.substr(begin, stop - begin));
        }
    }
    return messages;
}

std::string withTimesMasked(const std::string& text) {
    std::string masked = text;
    for (std::size_t at = 0; at < masked.size(); ++at) {
        if (isPrefixAt(masked, at)) {
            masked.replace(at, 8, "HH:MM:SS");
        }
    }
    return masked;
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

std::string spriteText(int frames, int width, int height, int slowdown, const std::string& color) {
    std::string text = "<HEADER>\nframes " + std::to_string(frames) + "\nwidth " +
                       std::to_string(width) + "\nheight " + std::to_string(height) + "\ncolor " +
                       color + "\nslowdown " + std::to_string(slowdown) + "\n</HEADER>\n<BODY>\n";
    for (int frame = 0; frame < frames; ++frame) {
        const std::string row(static_cast<std::size_t>(width), static_cast<char>('A' + frame % 26));
        for (int y = 0; y < height; ++y) {
            text += row + "\n";
        }
        text += "end\n";
    }
    return text + "</BODY>\n<FOOTER>\nversion 1\n</FOOTER>\n";
}

int loadTestSprite(const std::string& label, int frames, int width, int height, int slowdown,
                   const std::string& color) {
    const std::string path = label + "-spr.txt";
    writeFile(path, spriteText(frames, width, height, slowdown, color));
    return qv::ResourceManager::getInstance().loadSprite(path, label);
}

namespace {

// No test reaches a sound card: OpenAL mixes into nothing, so sounds and music
// behave as in the game, silently, on machines with or without audio
// hardware. Set before main(), ahead of the first audio call; a test that
// captures the output replaces it before it touches audio.
const bool silentAudio = setenv("ALSOFT_DRIVERS", "null", 0) == 0;

} // namespace

} // namespace qvtest
