#ifndef QV_APP_COMMANDLINE_H
#define QV_APP_COMMANDLINE_H

#include <string>

namespace qv {

/// The command-line options every qv game understands. With no arguments a
/// game runs as it always has; the options add recording, replaying,
/// playing without a window and frame statistics on top.
class CommandLine {
public:
    CommandLine();

    /// Reads argv[1..argc-1]. 0 when every argument is known and they fit
    /// together; -1 otherwise, with getError() saying why.
    int parse(int argc, const char* const* argv);

    /// "--record FILE": the replay file to write, or empty; with --replay,
    /// what a take-over records.
    const std::string& getRecordFile() const;

    /// "--replay FILE": the replay file to play back, or empty.
    const std::string& getReplayFile() const;

    /// "--headless": no window, no sound, no sleeping (needs --replay).
    bool isHeadless() const;

    /// "--terminal": play in the terminal the game was started from.
    bool inTerminal() const;

    /// "--frame N": open the replay paused at frame N; -1 when not given.
    int getFrame() const;

    /// "--stop-at-difference": run the replay to its first difference.
    bool stopsAtDifference() const;

    /// "--stats": print the frame statistics at exit.
    bool wantsStats() const;

    /// "--scale N": the window N times 1024 x 768, 1 to 4; 1 without it.
    int getScale() const;

    /// "--help" or "-h" was given.
    bool wantsHelp() const;

    /// "--version" was given.
    bool wantsVersion() const;

    /// One line naming what parse() refused, or empty.
    const std::string& getError() const;

    /// The usage text, a few lines, each ending in a line break.
    static std::string usage(const std::string& program);

private:
    std::string recordFile;
    std::string replayFile;
    int frame;
    bool stopAtDifference;
    bool headless;
    bool terminal;
    bool stats;
    int scale;
    bool help;
    bool version;
    std::string error;
};

} // namespace qv

#endif
