#include "qv/resources/SpriteResourceManager.h"

#include "qv/core/LogManager.h"
#include "qv/display/Color.h"
#include "qv/resources/Sprite.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <utility>

namespace qv {

namespace {

// Shared by every reader so that messages carry the file's own line numbers;
// loads never overlap, so one counter serves the whole program.
int lineNumber = 0;

constexpr const char* NOT_LOADED = "SRM::loadSprite(): Sprite '%s' not loaded.\n";

struct ColorName {
    const char* name;
    Color color;
};

constexpr ColorName COLOR_NAMES[] = {
    {"black", BLACK},     {"red", RED},   {"green", GREEN}, {"yellow", YELLOW}, {"blue", BLUE},
    {"magenta", MAGENTA}, {"cyan", CYAN}, {"white", WHITE}, {"default", WHITE},
};

LogManager& logger() {
    return LogManager::getInstance();
}

// atoi's reading (blanks, sign, digits), but values beyond int saturate
// instead of being undefined.
int readInt(const std::string& text) {
    const long value = std::strtol(text.c_str(), nullptr, 10);
    if (value > INT_MAX) {
        return INT_MAX;
    }
    if (value < INT_MIN) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}

// The value starts one separator past the key; a bare key has none.
std::string valueAfterKey(const std::string& line, std::size_t keyLength) {
    const std::size_t start = keyLength + 1;
    return start < line.size() ? line.substr(start) : std::string();
}

// Moves the lines that begin with key out of lines, in order, leaving the
// rest in order. One pass, so a header of many lines stays linear.
std::vector<std::string> takeKeyLines(std::vector<std::string>& lines, const char* key) {
    std::vector<std::string> taken;
    if (key == nullptr) {
        return taken;
    }
    const std::size_t keyLength = std::strlen(key);
    std::vector<std::string> kept;
    kept.reserve(lines.size());
    for (std::string& line : lines) {
        if (line.compare(0, keyLength, key) == 0) {
            taken.push_back(std::move(line));
        } else {
            kept.push_back(std::move(line));
        }
    }
    lines.swap(kept);
    return taken;
}

// parseFrame over a cursor: the loader walks the body without erasing from
// its front, which would make long bodies quadratic.
Frame parseFrameAt(const std::vector<std::string>& lines, std::size_t& next, int width,
                   int height) {
    std::string data;
    for (int row = 0; row < height; ++row) {
        if (next >= lines.size()) {
            logger().writeLog("\tError! Line %d: No more frame data before 'end'.\n",
                              lineNumber + 1);
            return Frame();
        }
        const std::string& line = lines[next];
        ++lineNumber;
        if (static_cast<long long>(line.size()) != static_cast<long long>(width)) {
            logger().writeLog("\tError! Line %d: Line length is %d (frame width is %d).\n",
                              lineNumber, static_cast<int>(line.size()), width);
            logger().writeLog("\tLine %d: '%s'\n", lineNumber, line.c_str());
            return Frame();
        }
        data += line;
        ++next;
    }
    if (next >= lines.size()) {
        logger().writeLog("\tError! Line %d: No more frame data before 'end'.\n", lineNumber + 1);
        return Frame();
    }
    ++lineNumber;
    if (lines[next] != "end") {
        logger().writeLog("\tError! Line %d: Expected '%s'.\n", lineNumber, "end");
        logger().writeLog("\tLine %d: '%s'\n", lineNumber, lines[next].c_str());
        return Frame();
    }
    ++next;
    return Frame(width, height, std::move(data));
}

int notLoaded(const std::string& label, int result) {
    logger().writeLog(NOT_LOADED, label.c_str());
    return result;
}

} // namespace

std::string getLine(std::ifstream& file) {
    std::string line;
    std::getline(file, line);
    if (file.eof() || file.fail()) {
        logger().writeLog("getLine(): Error! Unexpected end of file.\n");
        return std::string();
    }
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return line;
}

std::vector<std::string> readData(std::ifstream& file, std::string tag) {
    const std::string begin = "<" + tag + ">";
    const std::string end = "</" + tag + ">";
    std::vector<std::string> lines;

    std::string line = getLine(file);
    ++lineNumber;
    if (line != begin) {
        logger().writeLog("readData(): Error line %d! Expected '%s', have '%s'.\n", lineNumber,
                          begin.c_str(), line.c_str());
        return lines;
    }
    for (;;) {
        line = getLine(file);
        if (line == end) {
            break;
        }
        if (line.empty()) {
            logger().writeLog("readData(): Error! Never encountered '%s'.\n", end.c_str());
            lines.clear();
            return lines;
        }
        lines.push_back(std::move(line));
    }
    ++lineNumber;
    return lines;
}

int matchLineInt(std::vector<std::string>& lines, const char* key) {
    int value = -1;
    if (lines.empty()) {
        return value;
    }
    const std::vector<std::string> taken = takeKeyLines(lines, key);
    for (const std::string& line : taken) {
        if (value != -1) {
            logger().writeLog("matchLineInt(): Warning! '%s' matches multiple lines.\n",
                              line.c_str());
        }
        value = readInt(valueAfterKey(line, std::strlen(key)));
        ++lineNumber;
    }
    return value;
}

std::string matchLineStr(std::vector<std::string>& lines, const char* key) {
    std::string value;
    if (lines.empty()) {
        return value;
    }
    const std::vector<std::string> taken = takeKeyLines(lines, key);
    for (const std::string& line : taken) {
        if (!value.empty()) {
            logger().writeLog("matchLineStr(): Warning! '%s' matches multiple lines.\n",
                              line.c_str());
        }
        value = valueAfterKey(line, std::strlen(key));
        ++lineNumber;
    }
    return value;
}

Frame parseFrame(std::vector<std::string>& lines, int width, int height) {
    std::size_t next = 0;
    Frame frame = parseFrameAt(lines, next, width, height);
    lines.erase(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(next));
    return frame;
}

SpriteResourceManager::SpriteResourceManager() : sprites{}, spriteCount(0) {
    setType("SpriteResourceManager");
}

SpriteResourceManager::~SpriteResourceManager() {
    // No logging here: at program exit the log manager may already be gone.
    for (int i = 0; i < spriteCount; ++i) {
        delete sprites[i];
        sprites[i] = nullptr;
    }
}

int SpriteResourceManager::startUp() {
    if (isStarted()) {
        logger().writeLog("SRM::startUp(): Already started.\n");
    } else {
        // Sprites loaded before a start would otherwise be forgotten but
        // never released.
        for (int i = 0; i < spriteCount; ++i) {
            delete sprites[i];
            sprites[i] = nullptr;
        }
        spriteCount = 0;
        logger().writeLog("SRM::startUp(): Successfully started.\n");
    }
    return Manager::startUp();
}

void SpriteResourceManager::shutDown() {
    for (int i = 0; i < spriteCount; ++i) {
        delete sprites[i];
        sprites[i] = nullptr;
    }
    spriteCount = 0;
    logger().writeLog("SRM::shutDown(): Successfully stopped.\n");
    Manager::shutDown();
}

int SpriteResourceManager::loadSprite(std::string filename, std::string label) {
    LogManager& log = logger();
    if (!isStarted()) {
        log.writeWarning("loadSprite before GameManager::startUp(): '%s' is forgotten at start-up",
                         label.c_str());
    }
    if (spriteCount >= MAX_SPRITES) {
        log.writeLog("SRM::loadSprite(): Error! Cannot add more Sprites (max is %d).\n",
                     MAX_SPRITES);
        return notLoaded(label, -1);
    }
    log.writeLog("SRM::loadSprite(): Loading sprite '%s'.\n", filename.c_str());

    // Closed by its destructor on every way out.
    std::ifstream file(filename);
    if (!file.is_open()) {
        log.writeLog("SRM::loadSprite(): Error! Cannot open file '%s'.\n", filename.c_str());
        return notLoaded(label, -5);
    }
    log.writeLog("SRM::loadSprite(): Opened file '%s'.\n", filename.c_str());
    lineNumber = 0;

    std::vector<std::string> header = readData(file, "HEADER");
    if (header.empty()) {
        return notLoaded(label, -2);
    }
    const char* const required[] = {"frames", "width", "height"};
    int sizes[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i) {
        sizes[i] = matchLineInt(header, required[i]);
        if (sizes[i] == -1) {
            log.writeLog("SRM::loadSprite(): Error! Missing '%s' in header.\n", required[i]);
            return notLoaded(label, -2);
        }
    }
    const int frames = sizes[0];
    const int width = sizes[1];
    const int height = sizes[2];

    std::string colorName = matchLineStr(header, "color");
    if (colorName.empty()) {
        log.writeLog("SRM::loadSprite(): Warning! No '%s' in header.\n", "color");
        colorName = "default";
    }
    int slowdown = matchLineInt(header, "slowdown");
    if (slowdown == -1) {
        log.writeLog("SRM::loadSprite(): Warning! No '%s' in header.\n", "slowdown");
        slowdown = 0;
    }
    if (!header.empty()) {
        log.writeLog("SRM::loadSprite(): Warning! Unused HEADER lines:\n");
        for (const std::string& line : header) {
            log.writeLog("\t'%s'\n", line.c_str());
        }
        lineNumber += static_cast<int>(header.size());
    }
    log.writeLog("\t      Frames: %d\n", frames);
    log.writeLog("\t       Width: %d\n", width);
    log.writeLog("\t      Height: %d\n", height);
    log.writeLog("\t    Slowdown: %d\n", slowdown);
    log.writeLog("\t       Color: %s\n", colorName.c_str());

    const std::vector<std::string> body = readData(file, "BODY");
    if (body.empty()) {
        return notLoaded(label, -3);
    }
    std::unique_ptr<Sprite> sprite(new (std::nothrow) Sprite(frames));
    if (!sprite) {
        log.writeLog("SRM::loadSprite(): Error! Unable to create Sprite.\n");
        return notLoaded(label, -3);
    }
    sprite->setWidth(width);
    sprite->setHeight(height);
    sprite->setSlowdown(slowdown);

    bool knownColor = false;
    for (const ColorName& entry : COLOR_NAMES) {
        if (colorName == entry.name) {
            sprite->setColor(entry.color);
            knownColor = true;
            break;
        }
    }
    if (!knownColor) {
        log.writeLog("SRM::loadSprite(): Error! Unrecognized color '%s'.\n", colorName.c_str());
        log.writeLog("  Valid colors are: black, red, green, yellow,\n");
        log.writeLog("                    blue, magenta, cyan and white.\n");
        return notLoaded(label, -3);
    }

    // Back onto <BODY>: readData already counted </BODY>.
    --lineNumber;
    std::size_t next = 0;
    for (int i = 0; i < frames; ++i) {
        const Frame frame = parseFrameAt(body, next, width, height);
        if (frame.isEmpty()) {
            log.writeLog("SRM::loadSprite(): Error! No frame data to add.\n");
            return notLoaded(label, -3);
        }
        if (sprite->storeFrame(frame) != 0) {
            log.writeLog("SRM::loadSprite(): Error! Cannot add Frame.\n");
            log.writeLog("\tFramecount is %d, max is %d\n", sprite->getFrameCount() + 1, frames);
            return notLoaded(label, -3);
        }
    }
    ++lineNumber;
    if (next < body.size()) {
        log.writeLog("SRM::loadSprite(): Error! Extra BODY:\n");
        for (; next < body.size(); ++next) {
            log.writeLog("\tline %d: %s\n", lineNumber, body[next].c_str());
            ++lineNumber;
        }
        return notLoaded(label, -3);
    }

    std::vector<std::string> footer = readData(file, "FOOTER");
    if (footer.empty()) {
        return notLoaded(label, -4);
    }
    const std::string version = matchLineStr(footer, "version");
    if (version.empty()) {
        log.writeLog("SRM::loadSprite(): Error! Missing '%s' in FOOTER (line %d).\n", "version",
                     lineNumber);
        return notLoaded(label, -4);
    }
    if (!footer.empty()) {
        log.writeLog("SRM::loadSprite(): Warning! Unused FOOTER lines:\n");
        for (const std::string& line : footer) {
            log.writeLog("\t'%s'\n", line.c_str());
        }
    }

    sprite->setLabel(label);
    sprites[spriteCount] = sprite.release();
    ++spriteCount;
    log.writeLog("SRM::loadSprite(): Sprite '%s' loaded.\n", label.c_str());
    return 0;
}

Sprite* SpriteResourceManager::getSprite(std::string label) const {
    for (int i = 0; i < spriteCount; ++i) {
        if (sprites[i] != nullptr && sprites[i]->hasLabel(label)) {
            return sprites[i];
        }
    }
    return nullptr;
}

} // namespace qv
