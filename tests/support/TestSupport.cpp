#include "support/TestSupport.h"

#include "qv/core/LogManager.h"
#include "qv/resources/ResourceManager.h"

#include <unistd.h>

#include <cctype>
#include <cstdio>
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

Captured capture(const std::function<int()>& body) {
    std::fflush(nullptr);
    const int saved[] = {dup(1), dup(2)};
    std::FILE* files[] = {std::fopen("out.txt", "w"), std::fopen("err.txt", "w")};
    dup2(fileno(files[0]), 1);
    dup2(fileno(files[1]), 2);
    const int result = body();
    std::fflush(nullptr);
    for (int i = 0; i < 2; ++i) {
        dup2(saved[i], i + 1);
        close(saved[i]);
        std::fclose(files[i]);
    }
    return {result, readFile("out.txt"), readFile("err.txt")};
}

namespace {

const std::string STAMP = "00:00:00 Message: ";

bool stampAt(const std::string& text, std::size_t at) {
    if (at + STAMP.size() > text.size()) {
        return false;
    }
    for (std::size_t i = 0; i < STAMP.size(); ++i) {
        const char c = text[at + i];
        if (STAMP[i] == '0' ? std::isdigit(static_cast<unsigned char>(c)) == 0 : c != STAMP[i]) {
            return false;
        }
    }
    return true;
}

// No test reaches a sound card: OpenAL mixes into nothing. Set before main(),
// ahead of the first audio call.
const bool silentAudio = setenv("ALSOFT_DRIVERS", "null", 0) == 0;

} // namespace

std::vector<std::string> logMessages() {
    // With flush on, an empty message pushes out everything before it.
    qv::LogManager::getInstance().setFlush(true);
    qv::LogManager::getInstance().writeLog("%s", "");
    const std::string text = readFile(qv::LogManager::fileName);
    std::vector<std::string> messages;
    std::size_t begin = std::string::npos;
    for (std::size_t at = 0; at <= text.size(); ++at) {
        if (at == text.size() || stampAt(text, at)) {
            if (begin != std::string::npos && at > begin) {
                messages.push_back(text.substr(begin, at - begin));
            }
            begin = at + STAMP.size();
            at = begin - 1;
        }
    }
    return messages;
}

std::string withTimesMasked(const std::string& text) {
    std::string masked = text;
    for (std::size_t at = 0; at < masked.size(); ++at) {
        if (stampAt(masked, at)) {
            masked.replace(at, 8, "HH:MM:SS");
        }
    }
    return masked;
}

bool logHasInOrder(const std::vector<std::string>& expected) {
    std::size_t found = 0;
    for (const std::string& message : logMessages()) {
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

} // namespace qvtest
