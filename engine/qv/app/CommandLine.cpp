#include "qv/app/CommandLine.h"

namespace qv {

CommandLine::CommandLine()
    : frame(-1), stopAtDifference(false), headless(false), terminal(false), stats(false), scale(1),
      help(false), version(false) {}

int CommandLine::parse(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--record" || argument == "--replay") {
            if (i + 1 >= argc || argv[i + 1][0] == '\0') {
                error = argument + " needs a file name";
                return -1;
            }
            (argument == "--record" ? recordFile : replayFile) = argv[++i];
        } else if (argument == "--frame") {
            const std::string number = i + 1 < argc ? argv[i + 1] : "";
            if (number.empty() || number.size() > 9 ||
                number.find_first_not_of("0123456789") != std::string::npos) {
                error = "--frame needs a frame number (0 or more)";
                return -1;
            }
            frame = std::stoi(number);
            ++i;
        } else if (argument == "--stop-at-difference") {
            stopAtDifference = true;
        } else if (argument == "--scale") {
            const std::string number = i + 1 < argc ? argv[i + 1] : "";
            if (number.size() != 1 || number[0] < '1' || number[0] > '4') {
                error = "--scale needs a whole number from 1 to 4";
                return -1;
            }
            scale = number[0] - '0';
            ++i;
        } else if (argument == "--headless") {
            headless = true;
        } else if (argument == "--terminal") {
            terminal = true;
        } else if (argument == "--stats") {
            stats = true;
        } else if (argument == "--help" || argument == "-h") {
            help = true;
        } else if (argument == "--version") {
            version = true;
        } else {
            error = "unknown option: " + argument;
            return -1;
        }
    }
    if ((frame >= 0 || stopAtDifference) && (replayFile.empty() || headless)) {
        error = std::string(frame >= 0 ? "--frame" : "--stop-at-difference") +
                " needs --replay FILE, watched (not --headless)";
        return -1;
    }
    if (!recordFile.empty() && !replayFile.empty() && headless) {
        error = "--record and --replay --headless cannot be used together";
        return -1;
    }
    if (headless && replayFile.empty()) {
        error = "--headless needs --replay FILE";
        return -1;
    }
    if (headless && terminal) {
        error = "--headless and --terminal cannot be used together";
        return -1;
    }
    return 0;
}

const std::string& CommandLine::getRecordFile() const {
    return recordFile;
}

const std::string& CommandLine::getReplayFile() const {
    return replayFile;
}

bool CommandLine::isHeadless() const {
    return headless;
}

bool CommandLine::inTerminal() const {
    return terminal;
}

int CommandLine::getFrame() const {
    return frame;
}

bool CommandLine::stopsAtDifference() const {
    return stopAtDifference;
}

bool CommandLine::wantsStats() const {
    return stats;
}

int CommandLine::getScale() const {
    return scale;
}

bool CommandLine::wantsHelp() const {
    return help;
}

bool CommandLine::wantsVersion() const {
    return version;
}

const std::string& CommandLine::getError() const {
    return error;
}

std::string CommandLine::usage(const std::string& program) {
    return "usage: " + program +
           " [--record FILE] [--replay FILE [--headless | --frame N | --stop-at-difference]]\n"
           "       [--terminal] [--scale N] [--stats]\n"
           "  --record FILE   play, and write every input to FILE as a replay (with --replay:\n"
           "                  when you take over with Tab)\n"
           "  --replay FILE   watch FILE: Space pause, . , step, Left Right 10 s, Home End,\n"
           "                  [ ] speed, Tab take over; the game's input comes from FILE\n"
           "  --headless      with --replay: no window, no sound, as fast as possible\n"
           "  --frame N       with --replay: open it paused at frame N\n"
           "  --stop-at-difference  with --replay: pause where it first differs\n"
           "  --terminal      play in this terminal instead of a window\n"
           "  --scale N       a window N times 1024 x 768 (N = 1 to 4), drawn at that size\n"
           "  --stats         at exit, print how long each phase of a frame took\n"
           "  --version       print the engine's version and exit\n";
}

} // namespace qv
