// The sprite file loader and the sprite registry: exact log messages, line
// numbers and results for every way a file can be wrong, damaged files, and
// the registry's capacity, lookup and life cycle.
#include "core/LogManager.h"
#include "display/Color.h"
#include "resources/ResourceManager.h"
#include "resources/Sprite.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <initializer_list>
#include <random>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

const std::string FILE_NAME = "case-spr.txt";
const std::string NOT_LOADED = "SRM::loadSprite(): Sprite 'case' not loaded.";
const std::string LOADED = "SRM::loadSprite(): Sprite 'case' loaded.";

// The red, two-frame, 3 x 2 sprite that changes frame every 4 draws.
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

// Line numbers below are the file's own, counted from 1.
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

Lines seq(std::initializer_list<Lines> parts) {
    Lines all;
    for (const Lines& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

Lines opening() {
    return {"SRM::loadSprite(): Loading sprite '" + FILE_NAME + "'.",
            "SRM::loadSprite(): Opened file '" + FILE_NAME + "'."};
}

Lines echo(const std::string& frames, int width, int height, int slowdown,
           const std::string& color) {
    return {"\t      Frames: " + frames, "\t       Width: " + std::to_string(width),
            "\t      Height: " + std::to_string(height),
            "\t    Slowdown: " + std::to_string(slowdown), "\t       Color: " + color};
}

Lines exampleEcho() {
    return echo("2", 3, 2, 4, "red");
}

Lines noFrameData() {
    return {"SRM::loadSprite(): Error! No frame data to add.", NOT_LOADED};
}

Lines badColor(const std::string& name) {
    return {"SRM::loadSprite(): Error! Unrecognized color '" + name + "'.",
            "  Valid colors are: black, red, green, yellow,",
            "                    blue, magenta, cyan and white.", NOT_LOADED};
}

Lines exampleBodyAsExtra() {
    return {"SRM::loadSprite(): Error! Extra BODY:",
            "\tline 9: (o)",
            "\tline 10: / \\",
            "\tline 11: end",
            "\tline 12: (-)",
            "\tline 13: \\ /",
            "\tline 14: end",
            NOT_LOADED};
}

// The messages logged after the given one (which must be there).
Lines messagesAfter(const std::string& marker) {
    const Lines all = qvtest::logMessages();
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (all[i] == marker) {
            return Lines(all.begin() + static_cast<std::ptrdiff_t>(i + 1), all.end());
        }
    }
    ADD_FAILURE() << "no message '" << marker << "'";
    return {};
}

class SpriteLoading : public ::testing::Test {
protected:
    void SetUp() override {
        qv::LogManager::getInstance().startUp();
        resources.startUp();
    }
    void TearDown() override {
        resources.shutDown();
        qv::LogManager::getInstance().shutDown();
    }

    int load(const std::string& contents, const std::string& label = "case") {
        EXPECT_TRUE(qvtest::writeFile(FILE_NAME, contents));
        return resources.loadSprite(FILE_NAME, label);
    }

    // Loads copies of a good sprite until the registry refuses; how many fit.
    int freeSlots() {
        qvtest::writeFile("fill-spr.txt", qvtest::spriteText(1, 1, 1));
        int loaded = 0;
        while (loaded <= qv::SpriteResourceManager::MAX_SPRITES &&
               resources.loadSprite("fill-spr.txt", "fill") == 0) {
            ++loaded;
        }
        return loaded;
    }

    qv::ResourceManager& resources = qv::ResourceManager::getInstance();
};

struct LoaderCase {
    const char* name;
    std::string contents;
    int result;
    Lines messages; // everything the load logs, in order
};

class LoaderCases : public SpriteLoading, public ::testing::WithParamInterface<LoaderCase> {};

TEST_P(LoaderCases, LogExactlyAndReturnTheirCode) {
    const LoaderCase& c = GetParam();
    // A sprite held before the load must come through any failure untouched.
    ASSERT_EQ(qvtest::loadTestSprite("keeper", 2, 4, 3, 5, "green"), 0);
    qv::Sprite* keeper = resources.getSprite("keeper");

    EXPECT_EQ(load(c.contents), c.result);
    EXPECT_EQ(messagesAfter("SRM::loadSprite(): Sprite 'keeper' loaded."), c.messages);

    EXPECT_EQ(resources.getSprite("case") != nullptr, c.result == 0);
    ASSERT_EQ(resources.getSprite("keeper"), keeper);
    EXPECT_EQ(keeper->getFrameCount(), 2);
    EXPECT_EQ(keeper->getWidth(), 4);
    EXPECT_EQ(keeper->getColor(), qv::GREEN);
    EXPECT_EQ(freeSlots(), qv::SpriteResourceManager::MAX_SPRITES - (c.result == 0 ? 2 : 1));
}

const LoaderCase LOADER_CASES[] = {
    {"Example", text(example()), 0, seq({opening(), exampleEcho(), {LOADED}})},
    {"CrLfLoadsLikeLf", text(example(), "\r\n"), 0, seq({opening(), exampleEcho(), {LOADED}})},
    {"Row10TooShort", text(replaced(example(), 10, "/ ")), -3,
     seq({opening(),
          exampleEcho(),
          {"\tError! Line 10: Line length is 2 (frame width is 3).", "\tLine 10: '/ '"},
          noFrameData()})},
    {"Line11NotEnd", text(replaced(example(), 11, "fin")), -3,
     seq({opening(),
          exampleEcho(),
          {"\tError! Line 11: Expected 'end'.", "\tLine 11: 'fin'"},
          noFrameData()})},
    {"ThreeRowsForHeightTwo", text(inserted(example(), 11, "\\_/")), -3,
     seq({opening(),
          exampleEcho(),
          {"\tError! Line 11: Expected 'end'.", "\tLine 11: '\\_/'"},
          noFrameData()})},
    {"TooFewFrames", text(replaced(example(), 2, "frames 3")), -3,
     seq({opening(),
          echo("3", 3, 2, 4, "red"),
          {"\tError! Line 15: No more frame data before 'end'."},
          noFrameData()})},
    {"LastEndMissing", text(erased(example(), 14, 14)), -3,
     seq({opening(),
          exampleEcho(),
          {"\tError! Line 14: No more frame data before 'end'."},
          noFrameData()})},
    {"RowMayReadEnd", text(replaced(example(), 9, "end")), 0,
     seq({opening(), exampleEcho(), {LOADED}})},
    {"ExtraBodyLine", text(inserted(example(), 15, "~~~")), -3,
     seq({opening(),
          exampleEcho(),
          {"SRM::loadSprite(): Error! Extra BODY:", "\tline 15: ~~~", NOT_LOADED}})},
    {"EmptyLineBetweenSections", text(inserted(example(), 8, "")), -3,
     seq({opening(),
          exampleEcho(),
          {"readData(): Error line 8! Expected '<BODY>', have ''.", NOT_LOADED}})},
    {"EmptyLineInBody", text(inserted(example(), 10, "")), -3,
     seq({opening(),
          exampleEcho(),
          {"readData(): Error! Never encountered '</BODY>'.", NOT_LOADED}})},
    {"NoFinalLineFeed", text(example()).substr(0, text(example()).size() - 1), -4,
     seq({opening(),
          exampleEcho(),
          {"getLine(): Error! Unexpected end of file.",
           "readData(): Error! Never encountered '</FOOTER>'.", NOT_LOADED}})},
    {"EmptyHeader", text(erased(example(), 2, 6)), -2, seq({opening(), {NOT_LOADED}})},
    {"EmptyFile", "", -2,
     seq({opening(),
          {"getLine(): Error! Unexpected end of file.",
           "readData(): Error line 1! Expected '<HEADER>', have ''.", NOT_LOADED}})},
    {"LowerCaseTag", text(replaced(example(), 1, "<header>")), -2,
     seq({opening(),
          {"readData(): Error line 1! Expected '<HEADER>', have '<header>'.", NOT_LOADED}})},
    {"TagWithTrailingBlank", text(replaced(example(), 8, "<BODY> ")), -3,
     seq({opening(),
          exampleEcho(),
          {"readData(): Error line 8! Expected '<BODY>', have '<BODY> '.", NOT_LOADED}})},
    {"HeaderNeverClosed", text(erased(example(), 7, 18)), -2,
     seq({opening(),
          {"getLine(): Error! Unexpected end of file.",
           "readData(): Error! Never encountered '</HEADER>'.", NOT_LOADED}})},
    {"MissingFrames", text(erased(example(), 2, 2)), -2,
     seq({opening(), {"SRM::loadSprite(): Error! Missing 'frames' in header.", NOT_LOADED}})},
    {"MissingWidth", text(erased(example(), 3, 3)), -2,
     seq({opening(), {"SRM::loadSprite(): Error! Missing 'width' in header.", NOT_LOADED}})},
    {"MissingHeight", text(erased(example(), 4, 4)), -2,
     seq({opening(), {"SRM::loadSprite(): Error! Missing 'height' in header.", NOT_LOADED}})},
    {"FramesMinusOneCountsAsMissing", text(replaced(example(), 2, "frames -1")), -2,
     seq({opening(), {"SRM::loadSprite(): Error! Missing 'frames' in header.", NOT_LOADED}})},
    {"NoColorNoSlowdown", text(erased(example(), 5, 6)), 0,
     seq({opening(),
          {"SRM::loadSprite(): Warning! No 'color' in header.",
           "SRM::loadSprite(): Warning! No 'slowdown' in header."},
          echo("2", 3, 2, 0, "default"),
          {LOADED}})},
    {"SlowdownMinusOneWarns", text(replaced(example(), 6, "slowdown -1")), 0,
     seq({opening(),
          {"SRM::loadSprite(): Warning! No 'slowdown' in header."},
          echo("2", 3, 2, 0, "red"),
          {LOADED}})},
    {"EmptyColorWarns", text(replaced(example(), 5, "color ")), 0,
     seq({opening(),
          {"SRM::loadSprite(): Warning! No 'color' in header."},
          echo("2", 3, 2, 4, "default"),
          {LOADED}})},
    {"BareColorKeyWarns", text(replaced(example(), 5, "color")), 0,
     seq({opening(),
          {"SRM::loadSprite(): Warning! No 'color' in header."},
          echo("2", 3, 2, 4, "default"),
          {LOADED}})},
    {"BareFramesKeyReadsZero", text(replaced(example(), 2, "frames")), -3,
     seq({opening(), echo("0", 3, 2, 4, "red"), exampleBodyAsExtra()})},
    {"DuplicateWidthUsesTheLast", text(inserted(example(), 3, "width 7")), 0,
     seq({opening(),
          {"matchLineInt(): Warning! 'width 3' matches multiple lines."},
          exampleEcho(),
          {LOADED}})},
    {"DuplicateWidthCountsTwoLines", text(replaced(inserted(example(), 3, "width 7"), 11, "/ ")),
     -3,
     seq({opening(),
          {"matchLineInt(): Warning! 'width 3' matches multiple lines."},
          exampleEcho(),
          {"\tError! Line 11: Line length is 2 (frame width is 3).", "\tLine 11: '/ '"},
          noFrameData()})},
    {"DuplicateColorWarns", text(inserted(example(), 6, "color blue")), 0,
     seq({opening(),
          {"matchLineStr(): Warning! 'color blue' matches multiple lines."},
          echo("2", 3, 2, 4, "blue"),
          {LOADED}})},
    {"AnySeparator", text(replaced(example(), 3, "width=3")), 0,
     seq({opening(), exampleEcho(), {LOADED}})},
    {"ColorWithCapital", text(replaced(example(), 5, "color Red")), -3,
     seq({opening(), echo("2", 3, 2, 4, "Red"), badColor("Red")})},
    {"ColorWithTrailingBlank", text(replaced(example(), 5, "color red ")), -3,
     seq({opening(), echo("2", 3, 2, 4, "red "), badColor("red ")})},
    {"BodyIsReadBeforeTheColorIsChecked",
     text(replaced(inserted(example(), 10, ""), 5, "color Red")), -3,
     seq({opening(),
          echo("2", 3, 2, 4, "Red"),
          {"readData(): Error! Never encountered '</BODY>'.", NOT_LOADED}})},
    {"UnusedHeaderLine", text(inserted(example(), 7, "speed 3")), 0,
     seq({opening(),
          {"SRM::loadSprite(): Warning! Unused HEADER lines:", "\t'speed 3'"},
          exampleEcho(),
          {LOADED}})},
    {"UnusedHeaderLinesCount", text(replaced(inserted(example(), 2, "speed 3"), 11, "/ ")), -3,
     seq({opening(),
          {"SRM::loadSprite(): Warning! Unused HEADER lines:", "\t'speed 3'"},
          exampleEcho(),
          {"\tError! Line 11: Line length is 2 (frame width is 3).", "\tLine 11: '/ '"},
          noFrameData()})},
    {"FramesZero", text(replaced(example(), 2, "frames 0")), -3,
     seq({opening(), echo("0", 3, 2, 4, "red"), exampleBodyAsExtra()})},
    {"FramesZeroEmptyBody", text(erased(replaced(example(), 2, "frames 0"), 9, 14)), -3,
     seq({opening(), echo("0", 3, 2, 4, "red"), {NOT_LOADED}})},
    {"MissingVersion", text(replaced(example(), 17, "author me")), -4,
     seq({opening(),
          exampleEcho(),
          {"SRM::loadSprite(): Error! Missing 'version' in FOOTER (line 17).", NOT_LOADED}})},
    {"BareVersionKey", text(replaced(example(), 17, "version")), -4,
     seq({opening(),
          exampleEcho(),
          {"SRM::loadSprite(): Error! Missing 'version' in FOOTER (line 18).", NOT_LOADED}})},
    {"UnusedFooterLine", text(inserted(example(), 18, "author me")), 0,
     seq({opening(),
          exampleEcho(),
          {"SRM::loadSprite(): Warning! Unused FOOTER lines:", "\t'author me'", LOADED}})},
    {"EmptyFooter", text(erased(example(), 17, 17)), -4,
     seq({opening(), exampleEcho(), {NOT_LOADED}})},
    {"NoFooter", text(erased(example(), 16, 18)), -4,
     seq({opening(),
          exampleEcho(),
          {"getLine(): Error! Unexpected end of file.",
           "readData(): Error line 16! Expected '<FOOTER>', have ''.", NOT_LOADED}})},
    {"LinesAfterFooterAreNeverRead", text(example()) + "<garbage\x01\x02", 0,
     seq({opening(), exampleEcho(), {LOADED}})},
    {"FramesTwoBillion", text(replaced(example(), 2, "frames 2000000000")), -3,
     seq({opening(),
          echo("2000000000", 3, 2, 4, "red"),
          {"Error: could not allocate\n", "SRM::loadSprite(): Error! Cannot add Frame.",
           "\tFramecount is 1, max is 2000000000", NOT_LOADED}})},
    {"FramesBeyondIntSaturate", text(replaced(example(), 2, "frames 99999999999999999999")), -3,
     seq({opening(),
          echo("2147483647", 3, 2, 4, "red"),
          {"Error: could not allocate\n", "SRM::loadSprite(): Error! Cannot add Frame.",
           "\tFramecount is 1, max is 2147483647", NOT_LOADED}})},
    {"FramesNegative", text(replaced(example(), 2, "frames -5")), -3,
     seq({opening(),
          echo("-5", 3, 2, 4, "red"),
          {"Error: could not allocate\n"},
          exampleBodyAsExtra()})},
    {"WidthHuge",
     text(replaced(replaced(example(), 3, "width 2000000000"), 4, "height 2000000000")), -3,
     seq({opening(),
          echo("2", 2000000000, 2000000000, 4, "red"),
          {"\tError! Line 9: Line length is 3 (frame width is 2000000000).", "\tLine 9: '(o)'"},
          noFrameData()})},
    {"HeightNegative", text(replaced(example(), 4, "height -3")), -3,
     seq({opening(),
          echo("2", 3, -3, 4, "red"),
          {"\tError! Line 9: Expected 'end'.", "\tLine 9: '(o)'"},
          noFrameData()})},
};

INSTANTIATE_TEST_SUITE_P(Loader, LoaderCases, ::testing::ValuesIn(LOADER_CASES),
                         [](const ::testing::TestParamInfo<LoaderCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(SpriteLoading, HeightZeroFrameIsRefusedAsEmpty) {
    Lines lines = erased(replaced(replaced(example(), 2, "frames 1"), 4, "height 0"), 9, 14);
    lines = inserted(lines, 9, "end");
    EXPECT_EQ(load(text(lines)), -3);
    EXPECT_EQ(messagesAfter("\t       Color: red"), noFrameData());
}

TEST_F(SpriteLoading, MissingFileIsMinusFive) {
    EXPECT_EQ(resources.loadSprite("no/such/file-spr.txt", "case"), -5);
    EXPECT_EQ(
        messagesAfter("SRM::startUp(): Successfully started."),
        Lines({"SRM::loadSprite(): Loading sprite 'no/such/file-spr.txt'.",
               "SRM::loadSprite(): Error! Cannot open file 'no/such/file-spr.txt'.", NOT_LOADED}));
}

TEST_F(SpriteLoading, DirectoryInsteadOfFileIsRefused) {
    EXPECT_LT(resources.loadSprite(".", "case"), 0);
    EXPECT_EQ(resources.getSprite("case"), nullptr);
    EXPECT_EQ(qvtest::logMessages().back(), NOT_LOADED);
}

TEST_F(SpriteLoading, LoadedSpriteCarriesHeaderFramesAndLabel) {
    ASSERT_EQ(load(text(example())), 0);
    const qv::Sprite* sprite = resources.getSprite("case");
    ASSERT_NE(sprite, nullptr);
    EXPECT_EQ(sprite->getLabel(), "case");
    EXPECT_EQ(sprite->getWidth(), 3);
    EXPECT_EQ(sprite->getHeight(), 2);
    EXPECT_EQ(sprite->getColor(), qv::RED);
    EXPECT_EQ(sprite->getSlowdown(), 4);
    EXPECT_EQ(sprite->getFrameCount(), 2);
    EXPECT_EQ(sprite->getMaxFrameCount(), 2);
    EXPECT_EQ(sprite->getFrame(0).getData(), "(o)/ \\");
    EXPECT_EQ(sprite->getFrame(1).getData(), "(-)\\ /");
    EXPECT_EQ(sprite->getFrame(1).getWidth(), 3);
    EXPECT_EQ(sprite->getFrame(1).getHeight(), 2);
}

TEST_F(SpriteLoading, EveryColorNameGivesItsColor) {
    const struct {
        const char* name;
        int color;
    } names[] = {{"black", qv::BLACK},   {"red", qv::RED},     {"green", qv::GREEN},
                 {"yellow", qv::YELLOW}, {"blue", qv::BLUE},   {"magenta", qv::MAGENTA},
                 {"cyan", qv::CYAN},     {"white", qv::WHITE}, {"default", qv::WHITE}};
    for (const auto& entry : names) {
        ASSERT_EQ(
            load(text(replaced(example(), 5, std::string("color ") + entry.name)), entry.name), 0)
            << entry.name;
        EXPECT_EQ(resources.getSprite(entry.name)->getColor(), entry.color) << entry.name;
    }
}

TEST_F(SpriteLoading, DuplicateWidthKeepsTheSecondValue) {
    ASSERT_EQ(load(text(inserted(example(), 3, "width 7"))), 0);
    EXPECT_EQ(resources.getSprite("case")->getWidth(), 3);
}

TEST_F(SpriteLoading, RegistryHoldsOneHundredThenRefusesWithoutOpening) {
    for (int i = 0; i < qv::SpriteResourceManager::MAX_SPRITES; ++i) {
        ASSERT_EQ(qvtest::loadTestSprite("s" + std::to_string(i), 1, 2, 1), 0) << i;
    }
    EXPECT_EQ(resources.loadSprite("no-such-file-spr.txt", "extra"), -1);
    EXPECT_EQ(messagesAfter("SRM::loadSprite(): Sprite 's99' loaded."),
              Lines({"SRM::loadSprite(): Error! Cannot add more Sprites (max is 100).",
                     "SRM::loadSprite(): Sprite 'extra' not loaded."}));
    EXPECT_EQ(resources.getSprite("extra"), nullptr);
    ASSERT_NE(resources.getSprite("s0"), nullptr);
    ASSERT_NE(resources.getSprite("s99"), nullptr);
    EXPECT_NE(resources.getSprite("s0"), resources.getSprite("s99"));
}

TEST_F(SpriteLoading, DuplicateLabelsAreBothHeldAndLookupFindsTheFirst) {
    ASSERT_EQ(qvtest::loadTestSprite("twin", 1, 2, 1, 0, "red"), 0);
    ASSERT_EQ(qvtest::loadTestSprite("twin", 1, 2, 1, 0, "blue"), 0);
    EXPECT_EQ(resources.getSprite("twin")->getColor(), qv::RED);
    EXPECT_EQ(freeSlots(), qv::SpriteResourceManager::MAX_SPRITES - 2);
}

TEST_F(SpriteLoading, LabelsMatchExactly) {
    ASSERT_EQ(qvtest::loadTestSprite("hero", 1, 1, 1), 0);
    ASSERT_NE(resources.getSprite("hero"), nullptr);
    for (const char* other : {"Hero", "HERO", "hero ", " hero", "her", "heros", ""}) {
        EXPECT_EQ(resources.getSprite(other), nullptr) << "'" << other << "'";
    }
}

TEST_F(SpriteLoading, ShutDownForgetsEverySpriteAndStartUpRefills) {
    ASSERT_EQ(qvtest::loadTestSprite("a", 1, 1, 1), 0);
    ASSERT_EQ(qvtest::loadTestSprite("b", 1, 1, 1), 0);
    resources.shutDown();
    EXPECT_FALSE(resources.isStarted());
    EXPECT_EQ(resources.getSprite("a"), nullptr);
    EXPECT_EQ(resources.getSprite("b"), nullptr);

    EXPECT_EQ(resources.startUp(), 0);
    EXPECT_TRUE(resources.isStarted());
    EXPECT_EQ(resources.getSprite("a"), nullptr);
    EXPECT_EQ(freeSlots(), qv::SpriteResourceManager::MAX_SPRITES);
    EXPECT_EQ(messagesAfter("SRM::loadSprite(): Sprite 'b' loaded.").at(0),
              "SRM::shutDown(): Successfully stopped.");
    EXPECT_TRUE(qvtest::logHasInOrder(
        {"SRM::shutDown(): Successfully stopped.", "SRM::startUp(): Successfully started."}));
}

TEST_F(SpriteLoading, StartUpWhileStartedKeepsTheSprites) {
    ASSERT_EQ(qvtest::loadTestSprite("kept", 1, 1, 1), 0);
    qv::Sprite* kept = resources.getSprite("kept");
    EXPECT_EQ(resources.startUp(), 0);
    EXPECT_EQ(resources.getSprite("kept"), kept);
    EXPECT_EQ(messagesAfter("SRM::loadSprite(): Sprite 'kept' loaded."),
              Lines({"SRM::startUp(): Already started."}));
    EXPECT_EQ(freeSlots(), qv::SpriteResourceManager::MAX_SPRITES - 1);
}

// ---- the line readers on their own -------------------------------------

TEST_F(SpriteLoading, ParseFrameTakesRowsAndEndFromTheFront) {
    const struct {
        const char* name;
        Lines lines;
        int width;
        int height;
        std::string data; // empty: failure
        Lines left;
    } cases[] = {
        {"whole frame", {"abc", "def", "end", "xyz"}, 3, 2, "abcdef", {"xyz"}},
        {"short row keeps it", {"abc", "de", "end"}, 3, 2, "", {"de", "end"}},
        {"no end keeps it", {"abc", "def", "xyz"}, 3, 2, "", {"xyz"}},
        {"nothing left", {"abc"}, 3, 2, "", {}},
    };
    for (const auto& c : cases) {
        Lines lines = c.lines;
        const qv::Frame frame = qv::parseFrame(lines, c.width, c.height);
        EXPECT_EQ(frame.getData(), c.data) << c.name;
        EXPECT_EQ(frame.isEmpty(), c.data.empty()) << c.name;
        EXPECT_EQ(lines, c.left) << c.name;
    }
}

TEST_F(SpriteLoading, MatchLineReadersTakeEveryPrefixMatch) {
    Lines lines = {"frames 2", "width 3", "framesX 5", "frame 9"};
    EXPECT_EQ(qv::matchLineInt(lines, "frames"), 5);
    EXPECT_EQ(lines, Lines({"width 3", "frame 9"}));
    EXPECT_EQ(qv::matchLineInt(lines, "height"), -1);
    EXPECT_EQ(qv::matchLineStr(lines, "width"), "3");
    EXPECT_EQ(lines, Lines({"frame 9"}));
    EXPECT_EQ(qv::matchLineStr(lines, "frame"), "9");
    EXPECT_TRUE(lines.empty());
    EXPECT_EQ(qv::matchLineInt(lines, "frames"), -1);
    EXPECT_EQ(qv::matchLineStr(lines, "frames"), "");

    Lines values = {"a  -12xyz", "b+7", "c", "d text with  blanks "};
    EXPECT_EQ(qv::matchLineInt(values, "a"), -12);
    EXPECT_EQ(qv::matchLineInt(values, "b"), 7);
    EXPECT_EQ(qv::matchLineInt(values, "c"), 0);
    EXPECT_EQ(qv::matchLineStr(values, "d"), "text with  blanks ");
    EXPECT_TRUE(
        qvtest::logHasInOrder({"matchLineInt(): Warning! 'framesX 5' matches multiple lines."}));
}

TEST_F(SpriteLoading, GetLineDropsOneCarriageReturn) {
    ASSERT_TRUE(qvtest::writeFile(FILE_NAME, "a\r\r\nb\r\n\r\nlast"));
    std::ifstream file(FILE_NAME);
    EXPECT_EQ(qv::getLine(file), "a\r");
    EXPECT_EQ(qv::getLine(file), "b");
    EXPECT_EQ(qv::getLine(file), "");
    EXPECT_EQ(qvtest::logMessages().back(), "SRM::startUp(): Successfully started.");
    EXPECT_EQ(qv::getLine(file), "");
    EXPECT_EQ(qvtest::logMessages().back(), "getLine(): Error! Unexpected end of file.");
}

// ---- damaged files --------------------------------------------------------

class DamagedFiles : public SpriteLoading {
protected:
    void SetUp() override {
        SpriteLoading::SetUp();
        ASSERT_EQ(qvtest::loadTestSprite("keeper", 3, 2, 2, 1), 0);
        keeper = resources.getSprite("keeper");
    }

    // After any failure: the new label is unknown, the earlier sprite is
    // whole, and the registry still has 99 free slots.
    void expectRegistryIntact() {
        EXPECT_EQ(resources.getSprite("case"), nullptr);
        ASSERT_EQ(resources.getSprite("keeper"), keeper);
        EXPECT_EQ(keeper->getFrameCount(), 3);
        EXPECT_EQ(keeper->getFrame(2).getData(), "CCCC");
        EXPECT_EQ(freeSlots(), qv::SpriteResourceManager::MAX_SPRITES - 1);
    }

    qv::Sprite* keeper = nullptr;
};

TEST_F(DamagedFiles, EveryTruncationFailsWithItsSectionsCode) {
    for (const std::string ending : {"\n", "\r\n"}) {
        const std::string whole = text(example(), ending);
        // A cut up to the line feed after </HEADER> loses the header, up to
        // the one after </BODY> the body, anything later the footer.
        const std::size_t headerEnd = whole.find("</HEADER>") + 9 + ending.size() - 1;
        const std::size_t bodyEnd = whole.find("</BODY>") + 7 + ending.size() - 1;
        for (std::size_t length = 0; length < whole.size(); ++length) {
            const int expected = length <= headerEnd ? -2 : length <= bodyEnd ? -3 : -4;
            ASSERT_EQ(load(whole.substr(0, length)), expected)
                << "cut at " << length << " of " << whole.size() << " (ending size "
                << ending.size() << ")";
            ASSERT_EQ(qvtest::logMessages().back(), NOT_LOADED) << length;
        }
    }
    expectRegistryIntact();
}

TEST_F(DamagedFiles, BinaryGarbageIsRefused) {
    std::mt19937 random(20240601);
    std::uniform_int_distribution<int> byte(0, 255);
    const Lines lines = example();
    const std::string header = text(Lines(lines.begin(), lines.begin() + 7));
    const std::string headerAndBody = text(Lines(lines.begin(), lines.begin() + 15));
    for (const std::size_t size : {1u, 17u, 4096u, 1u << 20}) {
        std::string garbage(size, '\0');
        for (char& c : garbage) {
            c = static_cast<char>(byte(random));
        }
        // Line feeds now and then, so that lines of all lengths come through.
        std::string lined = garbage;
        for (std::size_t i = 0; i < lined.size(); i += 1 + static_cast<std::size_t>(byte(random))) {
            lined[i] = '\n';
        }
        EXPECT_EQ(load(garbage), -2) << size;
        EXPECT_EQ(load(lined), -2) << size;
        EXPECT_EQ(load(header + lined), -3) << size;
        EXPECT_EQ(load(headerAndBody + lined), -4) << size;
        EXPECT_EQ(qvtest::logMessages().back(), NOT_LOADED);
    }
    expectRegistryIntact();
}

TEST_F(DamagedFiles, FormatDirectivesInTheFileAreLoggedAsText) {
    EXPECT_EQ(load(text(replaced(example(), 10, "%s%n%s%n%d%s"))), -3);
    EXPECT_TRUE(qvtest::logHasInOrder(
        {"\tError! Line 10: Line length is 12 (frame width is 3).", "\tLine 10: '%s%n%s%n%d%s'"}));
    expectRegistryIntact();
}

TEST_F(DamagedFiles, VeryLongLinesAreHandled) {
    const std::string longLine(4u << 20, 'x');
    // In the header: an unused line, logged whole; the sprite still loads.
    EXPECT_EQ(load(text(inserted(example(), 7, longLine)), "long"), 0);
    EXPECT_TRUE(qvtest::logHasInOrder({"\t'" + longLine + "'"}));
    // As a frame row of the width it claims.
    const Lines wide = {"<HEADER>", "frames 1",  "width " + std::to_string(longLine.size()),
                        "height 1", "</HEADER>", "<BODY>",
                        longLine,   "end",       "</BODY>",
                        "<FOOTER>", "version 1", "</FOOTER>"};
    ASSERT_EQ(load(text(wide), "wide"), 0);
    EXPECT_EQ(resources.getSprite("wide")->getFrame(0).getData().size(), longLine.size());
    // And with no line feed at all.
    EXPECT_EQ(load(longLine), -2);
    EXPECT_EQ(resources.getSprite("case"), nullptr);
    EXPECT_EQ(freeSlots(), qv::SpriteResourceManager::MAX_SPRITES - 3);
}

TEST_F(DamagedFiles, ManyFramesLoadInLinearTime) {
    const int frames = 200000;
    std::string body;
    for (int i = 0; i < frames; ++i) {
        body += "x\nend\n";
    }
    const std::string contents = "<HEADER>\nframes " + std::to_string(frames) +
                                 "\nwidth 1\nheight 1\n</HEADER>\n<BODY>\n" + body +
                                 "</BODY>\n<FOOTER>\nversion 1\n</FOOTER>\n";
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(load(contents, "many"), 0);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(resources.getSprite("many")->getFrameCount(), frames);
    // Linear work takes well under a second; erasing each frame from the
    // front of the body would take minutes.
    EXPECT_LT(seconds, 20.0);
}

} // namespace
