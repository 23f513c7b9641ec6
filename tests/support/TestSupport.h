#ifndef QV_TESTS_SUPPORT_TESTSUPPORT_H
#define QV_TESTS_SUPPORT_TESTSUPPORT_H

// Each test runs in its own process, so the engine's singletons start fresh.

#include <functional>
#include <string>
#include <vector>

namespace qvtest {

std::string readFile(const std::string& path);
bool writeFile(const std::string& path, const std::string& text);

/// The messages in quorvel.log so far without their "HH:MM:SS Message: "
/// prefix, empty ones skipped. Turns the log's flushing on.
std::vector<std::string> logMessages();

/// What body returned and wrote to standard output and standard error.
struct Captured {
    int result;
    std::string out;
    std::string err;
};
Captured capture(const std::function<int()>& body);

/// The text with every time stamp written as "HH:MM:SS".
std::string withTimesMasked(const std::string& text);

/// True when the log holds these messages in this order, others between.
bool logHasInOrder(const std::vector<std::string>& expected);

/// An absolute path into the source tree, such as sourcePath("Sprites").
std::string sourcePath(const std::string& relative);

/// A valid sprite file: frame f is filled with the letter 'A' + f % 26.
std::string spriteText(int frames, int width, int height, int slowdown = 0,
                       const std::string& color = "white");

/// Writes spriteText(...) to "<label>-spr.txt" and loads it; the loader's result.
int loadTestSprite(const std::string& label, int frames, int width, int height, int slowdown = 0,
                   const std::string& color = "white");

} // namespace qvtest

#endif
