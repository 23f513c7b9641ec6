// The sprite loader and registry: exact messages, line numbers and results
// for each way a file can be wrong, damaged files, capacity and lookup.
#include "qv/core/LogManager.h"
#include "qv/display/Color.h"
#include "qv/resources/ResourceManager.h"
#include "qv/resources/Sprite.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

const std::string FILE_NAME = "case-spr.txt";
const std::string NOT_LOADED = "SRM::loadSprite(): Sprite 'case' not loaded.";
const std::string KEEPER_LOADED = "SRM::loadSprite(): Sprite 'keeper' loaded.";
const int MAX = qv::SpriteResourceManager::MAX_SPRITES;

// Red, two frames of 3 x 2, a new frame every 4 draws.
Lines example() {
    return {"<HEADER>",  "frames 2", "width 3", "height 2", "color red", "slowdown 4",
            "</HEADER>", "<BODY>",   "(o)",     "/ \\",     "end",       "(-)",
            "\\ /",      "end",      "</BODY>", "<FOOTER>", "version 1", "</FOOTER>"};
}

std::string text(const Lines& lines, const std::string& ending = "\n") {
    std::string joined;
    for (const std::string& line : lines) {
        joined += line + ending;
    }
    return joined;
}

// Edits by the file's own line numbers, counted from 1.
Lines replaced(Lines lines, std::size_t number, const std::string& line) {
    lines.at(number - 1) = line;
    return lines;
}
Lines inserted(Lines lines, std::size_t number, const std::string& line) {
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(number - 1), line);
    return lines;
}
Lines erased(Lines lines, std::size_t first, std::size_t last) {
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(first - 1),
                lines.begin() + static_cast<std::ptrdiff_t>(last));
    return lines;
}

// The header echo, as expected messages.
std::string echo(const std::string& frames, int height = 2, int slowdown = 4,
                 const std::string& color = "red") {
    return "\t      Frames: " + frames +
           "|\t       Width: 3|\t      Height: " + std::to_string(height) +
           "|\t    Slowdown: " + std::to_string(slowdown) + "|\t       Color: " + color;
}

// Expected messages, '|' between them; alone, E stands for the example's
// header echo, F for "no frame data" and "not loaded", N for "not loaded",
// L for "loaded", G for getLine's end of file and W for the start of a warning.
Lines messages(const std::string& joined) {
    Lines out;
    std::istringstream parts(joined);
    for (std::string part; std::getline(parts, part, '|');) {
        if (part == "E") {
            const Lines echoed = messages(echo("2"));
            out.insert(out.end(), echoed.begin(), echoed.end());
        } else if (part == "F") {
            out.push_back("SRM::loadSprite(): Error! No frame data to add.");
            out.push_back(NOT_LOADED);
        } else {
            out.push_back(part == "N"   ? NOT_LOADED
                          : part == "L" ? "SRM::loadSprite(): Sprite 'case' loaded."
                          : part == "G" ? "getLine(): Error! Unexpected end of file."
                          : part.rfind("W ", 0) == 0
                              ? "SRM::loadSprite(): Warning! " + part.substr(2)
                              : part);
        }
    }
    return out;
}

// The log's messages without their line feeds: every message here ends its
// line, so that two never share one.
Lines loggedLines() {
    Lines lines = qvtest::logMessages();
    for (std::string& line : lines) {
        EXPECT_EQ(line.empty() ? '?' : line.back(), '\n') << "'" << line << "' ends no line";
        if (!line.empty() && line.back() == '\n') {
            line.pop_back();
        }
    }
    return lines;
}

// The messages logged after the given one, which must be there.
Lines messagesAfter(const std::string& marker) {
    const Lines all = loggedLines();
    const auto found = std::find(all.begin(), all.end(), marker);
    EXPECT_NE(found, all.end()) << "no message '" << marker << "'";
    return found == all.end() ? Lines() : Lines(found + 1, all.end());
}

// Every test starts with one sprite held, which no later load may disturb.
class SpriteLoading : public ::testing::Test {
protected:
    void SetUp() override {
        qv::LogManager::getInstance().startUp();
        resources.startUp();
        ASSERT_EQ(qvtest::loadTestSprite("keeper", 3, 2, 2, 1, "green"), 0);
        keeper = resources.getSprite("keeper");
    }
    void TearDown() override {
        resources.shutDown();
        qv::LogManager::getInstance().shutDown();
    }

    int load(const std::string& contents, const std::string& label = "case") {
        EXPECT_TRUE(qvtest::writeFile(FILE_NAME, contents));
        return resources.loadSprite(FILE_NAME, label);
    }

    // The keeper is whole, and only `held` sprites besides it take slots.
    void expectKeeperIntact(int held) {
        ASSERT_EQ(resources.getSprite("keeper"), keeper);
        EXPECT_EQ(keeper->getFrameCount(), 3);
        EXPECT_EQ(keeper->getFrame(2).getData(), "CCCC");
        EXPECT_EQ(keeper->getColor(), qv::GREEN);
        qvtest::writeFile("fill-spr.txt", qvtest::spriteText(1, 1, 1));
        int free = 0;
        while (free <= MAX && resources.loadSprite("fill-spr.txt", "fill") == 0) {
            ++free;
        }
        EXPECT_EQ(free, MAX - 1 - held);
    }

    qv::ResourceManager& resources = qv::ResourceManager::getInstance();
    qv::Sprite* keeper = nullptr;
};

struct LoaderCase {
    const char* name;
    std::string contents;
    int result;
    std::string messages; // logged after the file was opened, as for messages()
};

void PrintTo(const LoaderCase& c, std::ostream* out) {
    *out << c.name;
}

class LoaderCases : public SpriteLoading, public ::testing::WithParamInterface<LoaderCase> {};

TEST_P(LoaderCases, LogExactlyAndReturnTheirCode) {
    const LoaderCase& c = GetParam();
    EXPECT_EQ(load(c.contents), c.result);
    EXPECT_EQ(messagesAfter(KEEPER_LOADED),
              messages("SRM::loadSprite(): Loading sprite '" + FILE_NAME +
                       "'.|SRM::loadSprite(): Opened file '" + FILE_NAME + "'.|" + c.messages));
    EXPECT_EQ(resources.getSprite("case") != nullptr, c.result == 0);
    expectKeeperIntact(c.result == 0 ? 1 : 0);
}

const std::string TOO_SHORT =
    "|\tError! Line 11: Line length is 2 (frame width is 3).|\tLine 11: '/ '|F";

const LoaderCase LOADER_CASES[] = {
    {"Example", text(example()), 0, "E|L"},
    {"CrLfLoadsLikeLf", text(example(), "\r\n"), 0, "E|L"},
    {"RowTooLongWithFormatDirectives", text(replaced(example(), 10, "%s%n%d%s")), -3,
     "E|\tError! Line 10: Line length is 8 (frame width is 3).|\tLine 10: '%s%n%d%s'|F"},
    {"Line11NotEnd", text(replaced(example(), 11, "fin")), -3,
     "E|\tError! Line 11: Expected 'end'.|\tLine 11: 'fin'|F"},
    {"TooFewFrames", text(replaced(example(), 2, "frames 3")), -3,
     echo("3") + "|\tError! Line 15: No more frame data before 'end'.|F"},
    {"LastEndMissing", text(erased(example(), 14, 14)), -3,
     "E|\tError! Line 14: No more frame data before 'end'.|F"},
    {"RowMayReadEnd", text(replaced(example(), 9, "end")), 0, "E|L"},
    {"ExtraBodyLine", text(inserted(example(), 15, "~~~")), -3,
     "E|SRM::loadSprite(): Error! Extra BODY:|\tline 15: ~~~|N"},
    {"EmptyLineBetweenSections", text(inserted(example(), 8, "")), -3,
     "E|readData(): Error line 8! Expected '<BODY>', have ''.|N"},
    {"NoFinalLineFeed", text(example()).substr(0, text(example()).size() - 1), -4,
     "E|G|readData(): Error! Never encountered '</FOOTER>'.|N"},
    {"EmptyHeader", text(erased(example(), 2, 6)), -2, "N"},
    {"TagWithTrailingBlank", text(replaced(example(), 8, "<BODY> ")), -3,
     "E|readData(): Error line 8! Expected '<BODY>', have '<BODY> '.|N"},
    {"MissingHeight", text(erased(example(), 4, 4)), -2,
     "SRM::loadSprite(): Error! Missing 'height' in header.|N"},
    {"FramesMinusOneCountsAsMissing", text(replaced(example(), 2, "frames -1")), -2,
     "SRM::loadSprite(): Error! Missing 'frames' in header.|N"},
    {"NoColorNoSlowdown", text(erased(example(), 5, 6)), 0,
     "W No 'color' in header.|W No 'slowdown' in header.|" + echo("2", 2, 0, "default") + "|L"},
    {"EmptyColorWarns", text(replaced(example(), 5, "color ")), 0,
     "W No 'color' in header.|" + echo("2", 2, 4, "default") + "|L"},
    {"SlowdownMinusOneWarns", text(replaced(example(), 6, "slowdown -1")), 0,
     "W No 'slowdown' in header.|" + echo("2", 2, 0) + "|L"},
    {"DuplicateWidthUsesTheLastAndCountsTwoLines",
     text(replaced(inserted(example(), 3, "width 7"), 11, "/ ")), -3,
     "matchLineInt(): Warning! 'width 3' matches multiple lines.|E" + TOO_SHORT},
    {"DuplicateColorWarns", text(inserted(example(), 6, "color blue")), 0,
     "matchLineStr(): Warning! 'color blue' matches multiple lines.|" + echo("2", 2, 4, "blue") +
         "|L"},
    {"ColorWithCapital", text(replaced(example(), 5, "color Red")), -3,
     echo("2", 2, 4, "Red") +
         "|SRM::loadSprite(): Error! Unrecognized color 'Red'.|  Valid colors are: black, red, "
         "green, yellow,|                    blue, magenta, cyan and white.|N"},
    {"BodyIsReadBeforeTheColorIsChecked",
     text(replaced(inserted(example(), 10, ""), 5, "color Red")), -3,
     echo("2", 2, 4, "Red") + "|readData(): Error! Never encountered '</BODY>'.|N"},
    {"UnusedHeaderLinesCount", text(replaced(inserted(example(), 2, "speed 3"), 11, "/ ")), -3,
     "W Unused HEADER lines:|\t'speed 3'|E" + TOO_SHORT},
    {"FramesZeroEmptyBody", text(erased(replaced(example(), 2, "frames 0"), 9, 14)), -3,
     echo("0") + "|N"},
    {"MissingVersion", text(replaced(example(), 17, "author me")), -4,
     "E|SRM::loadSprite(): Error! Missing 'version' in FOOTER (line 17).|N"},
    {"BareVersionKeyIsCounted", text(replaced(example(), 17, "version")), -4,
     "E|SRM::loadSprite(): Error! Missing 'version' in FOOTER (line 18).|N"},
    {"UnusedFooterLine", text(inserted(example(), 18, "author me")), 0,
     "E|W Unused FOOTER lines:|\t'author me'|L"},
    {"EmptyFooter", text(erased(example(), 17, 17)), -4, "E|N"},
    {"NoFooter", text(erased(example(), 16, 18)), -4,
     "E|G|readData(): Error line 16! Expected '<FOOTER>', have ''.|N"},
    {"LinesAfterFooterAreNeverRead", text(example()) + "<garbage\x01\x02", 0, "E|L"},
    {"FramesBeyondIntSaturate", text(replaced(example(), 2, "frames 99999999999999999999")), -3,
     echo("2147483647") + "|Error: could not allocate|SRM::loadSprite(): Error! Cannot add "
                          "Frame.|\tFramecount is 1, max is 2147483647|N"},
    {"FramesNegative", text(replaced(example(), 2, "frames -5")), -3,
     echo("-5") + "|Error: could not allocate|SRM::loadSprite(): Error! Extra BODY:|\tline 9: "
                  "(o)|\tline 10: / \\|\tline 11: end|\tline 12: (-)|\tline 13: \\ /|\tline 14: "
                  "end|N"},
    {"HeightNegative", text(replaced(example(), 4, "height -3")), -3,
     echo("2", -3) + "|\tError! Line 9: Expected 'end'.|\tLine 9: '(o)'|F"},
    {"WidthAndHeightHuge",
     text(replaced(replaced(example(), 3, "width 2000000000"), 4, "height 2000000000")), -3,
     "\t      Frames: 2|\t       Width: 2000000000|\t      Height: 2000000000|\t    Slowdown: "
     "4|\t       Color: red|\tError! Line 9: Line length is 3 (frame width is 2000000000).|\tLine "
     "9: '(o)'|F"},
};

INSTANTIATE_TEST_SUITE_P(Loader, LoaderCases, ::testing::ValuesIn(LOADER_CASES),
                         [](const ::testing::TestParamInfo<LoaderCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(SpriteLoading, MissingFileOrDirectoryIsRefused) {
    EXPECT_EQ(resources.loadSprite("no/such-spr.txt", "case"), -5);
    EXPECT_EQ(messagesAfter(KEEPER_LOADED),
              messages("SRM::loadSprite(): Loading sprite 'no/such-spr.txt'.|SRM::loadSprite(): "
                       "Error! Cannot open file 'no/such-spr.txt'.|N"));
    EXPECT_LT(resources.loadSprite(".", "case"), 0);
    EXPECT_EQ(loggedLines().back(), NOT_LOADED);
    EXPECT_EQ(resources.getSprite("case"), nullptr);
    expectKeeperIntact(0);
}

TEST_F(SpriteLoading, LoadedSpritesCarryHeaderFramesLabelAndEveryColor) {
    ASSERT_EQ(load(text(example())), 0);
    const qv::Sprite* sprite = resources.getSprite("case");
    EXPECT_EQ(sprite->getLabel(), "case");
    EXPECT_EQ(sprite->getWidth(), 3);
    EXPECT_EQ(sprite->getHeight(), 2);
    EXPECT_EQ(sprite->getSlowdown(), 4);
    EXPECT_EQ(sprite->getFrameCount(), 2);
    EXPECT_EQ(sprite->getFrame(0).getData(), "(o)/ \\");
    EXPECT_EQ(sprite->getFrame(1).getData(), "(-)\\ /");
    EXPECT_EQ(sprite->getFrame(1).getWidth(), 3);
    EXPECT_EQ(sprite->getFrame(1).getHeight(), 2);
    const std::pair<const char*, int> names[] = {
        {"black", qv::BLACK},   {"red", qv::RED},     {"green", qv::GREEN},
        {"yellow", qv::YELLOW}, {"blue", qv::BLUE},   {"magenta", qv::MAGENTA},
        {"cyan", qv::CYAN},     {"white", qv::WHITE}, {"default", qv::WHITE}};
    for (const auto& name : names) {
        ASSERT_EQ(
            load(text(replaced(example(), 5, std::string("color ") + name.first)), name.first), 0);
        EXPECT_EQ(resources.getSprite(name.first)->getColor(), name.second) << name.first;
    }
}

TEST_F(SpriteLoading, RegistryHoldsOneHundredFindsTheFirstOfExactlyTheLabelAndStartsEmpty) {
    EXPECT_EQ(resources.startUp(), 0);
    EXPECT_EQ(messagesAfter(KEEPER_LOADED), Lines({"SRM::startUp(): Already started."}));
    EXPECT_EQ(resources.getSprite("keeper"), keeper);
    ASSERT_EQ(qvtest::loadTestSprite("twin", 1, 2, 1, 0, "red"), 0);
    ASSERT_EQ(qvtest::loadTestSprite("twin", 1, 2, 1, 0, "blue"), 0);
    EXPECT_EQ(resources.getSprite("twin")->getColor(), qv::RED);
    for (const char* other : {"Twin", "twin ", "twi", ""}) {
        EXPECT_EQ(resources.getSprite(other), nullptr) << "'" << other << "'";
    }
    for (int i = 3; i < MAX; ++i) {
        ASSERT_EQ(qvtest::loadTestSprite("s" + std::to_string(i), 1, 2, 1), 0) << i;
    }
    EXPECT_EQ(resources.loadSprite("no-such-file-spr.txt", "extra"), -1);
    EXPECT_EQ(messagesAfter("SRM::loadSprite(): Sprite 's99' loaded."),
              Lines({"SRM::loadSprite(): Error! Cannot add more Sprites (max is 100).",
                     "SRM::loadSprite(): Sprite 'extra' not loaded."}));
    EXPECT_EQ(resources.getSprite("extra"), nullptr);
    EXPECT_EQ(resources.getSprite("s99")->getLabel(), "s99");
    resources.shutDown();
    EXPECT_EQ(resources.getSprite("keeper"), nullptr);
    EXPECT_EQ(resources.startUp(), 0);
    EXPECT_EQ(
        messagesAfter("SRM::loadSprite(): Sprite 'extra' not loaded."),
        Lines({"SRM::shutDown(): Successfully stopped.", "SRM::startUp(): Successfully started."}));
    EXPECT_EQ(qvtest::loadTestSprite("again", 1, 1, 1), 0);
}

// ---- damaged files --------------------------------------------------------

TEST_F(SpriteLoading, EveryTruncationFailsWithItsSectionsCode) {
    for (const std::string ending : {"\n", "\r\n"}) {
        const std::string whole = text(example(), ending);
        // A cut up to the line feed after </HEADER> loses the header, up to
        // the one after </BODY> the body, anything later the footer.
        const std::size_t headerEnd = whole.find("</HEADER>") + 9 + ending.size() - 1;
        const std::size_t bodyEnd = whole.find("</BODY>") + 7 + ending.size() - 1;
        for (std::size_t length = 0; length < whole.size(); ++length) {
            const int expected = length <= headerEnd ? -2 : length <= bodyEnd ? -3 : -4;
            ASSERT_EQ(load(whole.substr(0, length)), expected)
                << "cut at " << length << ", ending size " << ending.size();
            ASSERT_EQ(loggedLines().back(), NOT_LOADED) << length;
        }
    }
    expectKeeperIntact(0);
}

TEST_F(SpriteLoading, HugeFilesLoadWholeAndInLinearTime) {
    ASSERT_EQ(load(qvtest::spriteText(1, 4 << 20, 1), "wide"), 0);
    EXPECT_EQ(resources.getSprite("wide")->getFrame(0).getData().size(), 4u << 20);
    // Erasing each frame from the front of the body took minutes: the test's time limit.
    ASSERT_EQ(load(qvtest::spriteText(200000, 1, 1), "many"), 0);
    EXPECT_EQ(resources.getSprite("many")->getFrameCount(), 200000);
    expectKeeperIntact(2);
}

} // namespace
