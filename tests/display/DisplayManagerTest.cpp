// The character grid as it lands in the real window: which cells light up,
// in which colour, where strings go, and what the view's corner shifts.
#include "qv/display/DisplayManager.h"
#include "qv/world/WorldManager.h"

#include "PerCellRenderer.h"
#include "support/WindowCapture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

using Cell = std::pair<int, int>;

const std::vector<sf::Color> PALETTE = {sf::Color::Black,  sf::Color::Red,  sf::Color::Green,
                                        sf::Color::Yellow, sf::Color::Blue, sf::Color::Magenta,
                                        sf::Color::Cyan,   sf::Color::White};

std::set<Cell> litCells(const sf::Image& image) {
    std::set<Cell> cells;
    for (int row = 0; row < 24; ++row) {
        for (const int column : qvtest::litColumns(image, row)) {
            cells.insert({column, row});
        }
    }
    return cells;
}

// Anti-aliased edges blend with black, but no pixel of a glyph drawn in one
// palette colour may be exactly another palette colour.
void expectCellColour(const sf::Image& image, Cell cell, sf::Color expected) {
    const sf::IntRect probe = qvtest::cellProbe(cell.first, cell.second);
    EXPECT_GT(qvtest::countPixels(image, probe, expected), 5)
        << "cell " << cell.first << "," << cell.second;
    for (const sf::Color other : PALETTE) {
        if (other != expected && other != sf::Color::Black) {
            EXPECT_EQ(qvtest::countPixels(image, probe, other), 0)
                << "cell " << cell.first << "," << cell.second;
        }
    }
}

// Blocks (sprite frames) and strings drawn whole land cell for cell, in
// character and colour, where drawing their characters one by one puts them,
// whatever fractions the position and the view's corner carry: recorded
// replays were checked against the one-by-one grid. 15.999999 is a position
// where summing in another order moves cells; 0.9 and 0.95 past a whole
// number, far from the origin, sit either side of where rounding could.
TEST(DisplayBlocks, LandWhereDrawingEachCharacterPutsIt) {
    qv::DisplayManager& display = qv::DisplayManager::getInstance();
    qv::WorldManager& world = qv::WorldManager::getInstance();
    const auto shown = [&display] {
        display.showFrame();
        std::string cells = display.getGrid().toText();
        for (int row = 0; row < 24; ++row) {
            for (int column = 0; column < 80; ++column) {
                cells += static_cast<char>('0' + display.getGrid().colorAt(column, row));
            }
        }
        return cells;
    };
    const struct {
        qv::Vector position;
        int width;
        int height;
        qv::Vector corner;
    } blocks[] = {{{10, 5}, 3, 3, {0, 0}},
                  {{15.999999f, 5.5f}, 4, 2, {0, 0}},
                  {{15.999999f, 7.9999995f}, 7, 5, {0.3f, -0.7f}},
                  {{0.7f, 3.3f}, 5, 4, {-2.05f, 1.95f}},
                  {{78.6f, 22.4f}, 6, 6, {0, 0}},
                  {{-1.5f, -0.5f}, 4, 3, {-3.25f, -2.75f}},
                  {{-7.1f, 2.9f}, 90, 2, {-20, 0}},
                  {{32000.9f, 20010.95f}, 9, 3, {31990, 20000}},
                  {{32000.95f, 20010.9f}, 9, 3, {31990, 20000}},
                  {{13.333333f, 1}, 8, 1, {0, 0}},
                  {{2, 10}, 12, 2, {0, 0}}};
    std::string cells;
    for (int i = 0; i < 180; ++i) {
        cells += static_cast<char>('!' + i % 90);
    }
    const qv::Justification justifications[] = {qv::LEFT, qv::CENTER, qv::RIGHT};
    for (const auto& b : blocks) {
        SCOPED_TRACE(::testing::Message()
                     << b.position.x << "," << b.position.y << " " << b.width << "x" << b.height);
        world.setView(qv::Box(b.corner, 80, 24));
        display.drawBlock(b.position, b.width, b.height, cells.data(), qv::GREEN);
        const std::string asBlock = shown();
        for (int y = 0; y < b.height; ++y) {
            for (int x = 0; x < b.width; ++x) {
                const qv::Vector at(
                    static_cast<float>(x) + b.position.x - static_cast<float>(b.width / 2),
                    static_cast<float>(y) + b.position.y - static_cast<float>(b.height / 2));
                display.drawCh(at, cells[static_cast<std::size_t>(y * b.width + x)], qv::GREEN);
            }
        }
        EXPECT_EQ(asBlock, shown());
        EXPECT_NE(asBlock.find_first_not_of(" \n7"), std::string::npos);

        const std::string text = cells.substr(0, static_cast<std::size_t>(b.width));
        const qv::Justification justification = justifications[b.width % 3];
        display.drawString(b.position, text, justification, qv::CYAN);
        const std::string asString = shown();
        const int length = b.width;
        const float first =
            b.position.x - static_cast<float>(justification == qv::CENTER  ? length / 2
                                              : justification == qv::RIGHT ? length
                                                                           : 0);
        for (int i = 0; i < length; ++i) {
            display.drawCh(qv::Vector(first + static_cast<float>(i), b.position.y),
                           text[static_cast<std::size_t>(i)], qv::CYAN);
        }
        EXPECT_EQ(asString, shown());
        EXPECT_NE(asString.find_first_not_of(" \n7"), std::string::npos);
    }
    world.setView(qv::Box(qv::Vector(), 80, 24));
    // A value that is none of the eight colours draws, and reads back, white.
    display.drawString(qv::Vector(3, 3), "ab", qv::LEFT, static_cast<qv::Color>(12));
    display.showFrame();
    EXPECT_EQ(display.getGrid().colorAt(4, 3), qv::WHITE);
}

class DisplayWindow : public ::testing::Test {
protected:
    void SetUp() override {
        if (!qvtest::haveDisplay()) {
            GTEST_SKIP() << "needs an X display; run under xvfb-run";
        }
        ASSERT_TRUE(qvtest::startDisplay());
        qv::WorldManager::getInstance().setView(qv::Box(qv::Vector(), 80, 24));
        // The first frame is drawn on a surface nobody has cleared yet.
        display.showFrame();
    }
    void TearDown() override { display.shutDown(); }

    qv::DisplayManager& display = qv::DisplayManager::getInstance();
};

TEST(DisplayStartUp, DrawsNothingBeforeAndKeepsTheOneWindowAfter) {
    qv::DisplayManager& display = qv::DisplayManager::getInstance();
    EXPECT_EQ(display.getWindow(), nullptr);
    EXPECT_EQ(display.drawCh(qv::Vector(1, 1), 'x', qv::RED), -1);
    EXPECT_EQ(display.drawString(qv::Vector(1, 1), "abc", qv::LEFT, qv::RED), 0);
    display.showFrame();
    EXPECT_FALSE(display.isStarted());
    if (!qvtest::haveDisplay()) {
        GTEST_SKIP() << "needs an X display; run under xvfb-run";
    }
    ASSERT_TRUE(qvtest::startDisplay());
    sf::RenderWindow* first = display.getWindow();
    EXPECT_EQ(first->getSize(), sf::Vector2u(1024, 768));
    EXPECT_EQ(display.startUp(), 0);
    EXPECT_EQ(display.getWindow(), first);
    EXPECT_TRUE(display.isStarted());
    display.shutDown();
}

// One frame: single cells in every colour (out-of-palette values draw white,
// black draws nothing, a space hides what is beneath), and strings placed by
// their justification.
TEST_F(DisplayWindow, LightsExactlyTheDrawnCellsInTheirColoursAndPlacesStrings) {
    const struct {
        Cell cell;
        int color;
        sf::Color drawn;
    } cases[] = {
        {{0, 0}, qv::RED, sf::Color::Red},          {{1, 0}, qv::YELLOW, sf::Color::Yellow},
        {{79, 23}, qv::GREEN, sf::Color::Green},    {{40, 23}, qv::BLUE, sf::Color::Blue},
        {{20, 1}, qv::MAGENTA, sf::Color::Magenta}, {{21, 1}, qv::CYAN, sf::Color::Cyan},
        {{60, 20}, qv::WHITE, sf::Color::White},    {{10, 3}, 8, sf::Color::White},
        {{12, 3}, 100, sf::Color::White},           {{14, 3}, -1, sf::Color::White},
        {{31, 5}, qv::RED, sf::Color::Red},
    };
    std::set<Cell> expected;
    for (const auto& c : cases) {
        const qv::Vector at(static_cast<float>(c.cell.first), static_cast<float>(c.cell.second));
        EXPECT_EQ(display.drawCh(at, '#', static_cast<qv::Color>(c.color)), 0);
        expected.insert(c.cell);
    }
    display.drawCh(qv::Vector(18, 3), 'W', qv::BLACK);
    display.drawCh(qv::Vector(30, 5), '#', qv::RED);
    display.drawCh(qv::Vector(30, 5), ' ', qv::GREEN);
    const struct {
        const char* text;
        qv::Justification justification;
        int row;
        std::vector<int> columns;
    } strings[] = {
        {"abc", qv::LEFT, 8, {10, 11, 12}},
        {"abc", qv::CENTER, 10, {9, 10, 11}},
        {"abc", qv::RIGHT, 12, {7, 8, 9}},
        {"abcd", qv::CENTER, 14, {8, 9, 10, 11}},
        {"abc", static_cast<qv::Justification>(7), 16, {10, 11, 12}},
        {"", qv::CENTER, 18, {}},
    };
    for (const auto& c : strings) {
        EXPECT_EQ(display.drawString(qv::Vector(10, static_cast<float>(c.row)), c.text,
                                     c.justification, qv::YELLOW),
                  0);
        for (const int column : c.columns) {
            expected.insert({column, c.row});
        }
    }
    const sf::Image image = qvtest::captureWindow();

    EXPECT_EQ(litCells(image), expected);
    for (const auto& c : cases) {
        expectCellColour(image, c.cell, c.drawn);
    }
    for (const auto& c : strings) {
        for (const int column : c.columns) {
            expectCellColour(image, {column, c.row}, sf::Color::Yellow);
        }
    }
}

TEST_F(DisplayWindow, ViewCornerShiftsEveryCell) {
    qv::WorldManager::getInstance().setView(qv::Box(qv::Vector(10, 5), 80, 24));
    display.drawCh(qv::Vector(12, 6), '#', qv::CYAN);
    display.drawString(qv::Vector(10, 5), "ab", qv::LEFT, qv::CYAN);
    // Above and left of the view: off the window.
    display.drawCh(qv::Vector(5, 2), '#', qv::RED);
    const sf::Image image = qvtest::captureWindow();

    EXPECT_EQ(litCells(image), (std::set<Cell>{{0, 0}, {1, 0}, {2, 1}}));
    expectCellColour(image, {2, 1}, sf::Color::Cyan);
    // A mouse pixel names the world cell drawn there.
    const std::pair<qv::Vector, qv::Vector> pixelCells[] = {{{0, 0}, {10, 5}},
                                                            {{25.5f, 31.9f}, {11, 5}},
                                                            {{25.6f, 32}, {12, 6}},
                                                            {{1023, 767}, {89, 28}}};
    for (const auto& [pixel, cell] : pixelCells) {
        EXPECT_EQ(display.pixelsToCells(pixel), cell) << pixel;
    }
}

// Each printable character with a space in the cell to its right: the
// space's background hides whatever of the glyph reaches into that cell.
TEST_F(DisplayWindow, GlyphsFitTheirCells) {
    auto draw = [&](bool spaces) {
        for (int ch = '!'; ch <= '~'; ++ch) {
            const float x = static_cast<float>((ch - '!') % 40 * 2);
            const float y = static_cast<float>((ch - '!') / 40 * 2);
            display.drawCh(qv::Vector(x, y), static_cast<char>(ch), qv::WHITE);
            if (spaces) {
                display.drawCh(qv::Vector(x + 1, y), ' ', qv::WHITE);
            }
        }
        const sf::Image image = qvtest::captureWindow();
        display.showFrame();
        return image;
    };
    const sf::Image alone = draw(false);
    const sf::Image covered = draw(true);
    int hidden = 0;
    for (unsigned y = 0; y < 6 * 32; ++y) {
        for (unsigned x = 0; x < 1024; ++x) {
            hidden += alone.getPixel(x, y) != sf::Color::Black &&
                      covered.getPixel(x, y) == sf::Color::Black;
        }
    }
    EXPECT_LE(hidden, 100) << "glyph pixels cut off by the next cell";
}

TEST_F(DisplayWindow, ShowFrameLeavesACleanSurface) {
    display.drawString(qv::Vector(0, 0), "frame one", qv::LEFT, qv::WHITE);
    ASSERT_FALSE(litCells(qvtest::captureWindow()).empty());
    display.showFrame();
    EXPECT_TRUE(litCells(qvtest::captureWindow()).empty());
}

} // namespace

namespace {

struct Stroke {
    qv::Vector position;
    char ch;
    qv::Color color;
};

/// Pixels that differ at all, and the largest difference in any channel.
std::pair<int, int> compareImages(const sf::Image& a, const sf::Image& b) {
    int differing = 0;
    int largest = 0;
    for (unsigned y = 0; y < a.getSize().y; ++y) {
        for (unsigned x = 0; x < a.getSize().x; ++x) {
            const sf::Color p = a.getPixel(x, y);
            const sf::Color q = b.getPixel(x, y);
            const int delta =
                std::max({std::abs(p.r - q.r), std::abs(p.g - q.g), std::abs(p.b - q.b)});
            differing += delta > 0 ? 1 : 0;
            largest = std::max(largest, delta);
        }
    }
    return {differing, largest};
}

// Every char value over a full grid, strings and blanks on top; then the
// same frame again, one cell changed, and the view moved. What the window
// shows must be what a text and a rectangle per cell show (the per-cell
// transform rounds a few edge pixels by one level differently), and a
// repeated frame must show exactly the same pixels without rasterising.
TEST_F(DisplayWindow, ShownFramesMatchCellByCellDrawingExactlyOnOwnScreen) {
    qvbench::PerCellRenderer reference;
    ASSERT_TRUE(reference.isReady());
    // The plain path draws off screen: the display's window must show only
    // what the display put there, and no other window may cover it.
    sf::RenderTexture plain;
    ASSERT_TRUE(plain.create(1024, 768));
    std::vector<Stroke> strokes;
    for (int n = 0; n < 80 * 24; ++n) {
        strokes.push_back({qv::Vector(static_cast<float>(n % 80), static_cast<float>(n / 80)),
                           static_cast<char>(n * 7), static_cast<qv::Color>(n % 9)});
    }
    for (int i = 0; i < 40; ++i) {
        strokes.push_back(
            {qv::Vector(20.0f + i * 0.5f, 10), static_cast<char>('a' + i % 26), qv::YELLOW});
        strokes.push_back({qv::Vector(30.0f + i, 11.5f), i % 2 ? ' ' : '\r', qv::WHITE});
    }
    // Alone on a cleared surface: spaces and glyphs over glyphs, whole and
    // in part, where a background must be drawn though none is around.
    const std::vector<Stroke> overlaps = {
        {{5, 5}, 'W', qv::RED},     {{5, 5}, ' ', qv::RED},
        {{8, 5}, 'M', qv::GREEN},   {{8.5f, 5}, 'X', qv::CYAN},
        {{12, 5}, '#', qv::WHITE},  {{12.25f, 5.5f}, '\r', qv::BLUE},
        {{15, 7}, 'Q', qv::YELLOW}, {{15, 6.75f}, 'q', qv::MAGENTA}};
    const struct {
        const char* what;
        qv::Vector corner;
        int changedStroke;
        bool rasterised;
        bool sparse;
    } frames[] = {{"first", {0, 0}, -1, true, false},
                  {"repeated", {0, 0}, -1, false, false},
                  {"one cell changed", {0, 0}, 5, true, false},
                  {"repeated", {0, 0}, 5, false, false},
                  {"view moved", {3.5f, 2.25f}, 5, true, false},
                  {"sparse overlaps", {0, 0}, 5, true, true}};
    sf::Image last;
    for (const auto& f : frames) {
        SCOPED_TRACE(f.what);
        if (f.changedStroke >= 0) {
            strokes[static_cast<std::size_t>(f.changedStroke)].ch = '@';
        }
        qv::WorldManager::getInstance().setView(qv::Box(f.corner, 80, 24));
        const std::vector<Stroke>& drawn = f.sparse ? overlaps : strokes;
        const long long before = display.getRasterisedCells();
        for (const Stroke& stroke : drawn) {
            display.drawCh(stroke.position, stroke.ch, stroke.color);
        }
        display.showFrame();
        EXPECT_EQ(display.getRasterisedCells() - before,
                  f.rasterised ? static_cast<long long>(drawn.size()) : 0);
        const sf::Image shown = qvtest::captureShownFrame(*display.getWindow());
        if (!f.rasterised) {
            EXPECT_EQ(compareImages(shown, last), std::make_pair(0, 0));
        }
        last = shown;

        plain.clear();
        for (const Stroke& stroke : drawn) {
            reference.drawCh(plain, stroke.position, stroke.ch, stroke.color);
        }
        plain.display();
        const auto [differing, largest] = compareImages(shown, plain.getTexture().copyToImage());
        EXPECT_TRUE(differing == 0 || (largest <= 1 && differing <= 100))
            << differing << " pixels differ, by up to " << largest;
        EXPECT_GT(qvtest::countLit(shown, sf::IntRect(0, 0, 1024, 768)), f.sparse ? 300 : 100000);
    }
}

} // namespace
