#ifndef QV_TESTS_SUPPORT_TESTSUPPORT_H
#define QV_TESTS_SUPPORT_TESTSUPPORT_H

// Helpers shared by the test files. Each test runs in its own process (see
// tests/CMakeLists.txt), so the engine's singletons start fresh every time.

#include <string>
#include <vector>

namespace qvtest {

/// The whole file, or the empty string when it cannot be read.
std::string readFile(const std::string& path);

/// Writes text to path (replacing it); false on failure.
bool writeFile(const std::string& path, const std::string& text);

/// The messages written to quorvel.log so far, with the "HH:MM:SS Message: "
/// prefix removed and empty messages skipped. Turns the log's flushing on.
std::vector<std::string> logMessages();

/// The text with every "dd:dd:dd Message: " time stamp written as
/// "HH:MM:SS Message: ", so a whole log can be compared exactly.
std::string withTimesMasked(const std::string& text);

/// True when the log holds the messages in this order (others may stand between).
bool logHasInOrder(const std::vector<std::string>& expected);

/// An absolute path into the source tree, such as sourcePath("Sprites").
std::string sourcePath(const std::string& relative);

/// A valid sprite file: frame f is filled with the letter 'A' + f (modulo 26).
std::string spriteText(int frames, int width, int height, int slowdown = 0,
                       const std::string& color = "white");

/// Writes spriteText(...) to a file named after the label and loads it into
/// the resource manager; the loader's result.
int loadTestSprite(const std::string& label, int frames, int width, int height, int slowdown = 0,
                   const std::string& color = "white");

} // namespace qvtest

#endif
