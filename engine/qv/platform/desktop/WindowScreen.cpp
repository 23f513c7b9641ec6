#include "qv/platform/desktop/WindowScreen.h"

#include "qv/core/DataFile.h"
#include "qv/platform/desktop/DisplayProbe.h"
#include "qv/platform/desktop/WindowInput.h"

#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace qv {

namespace {

constexpr const char* FONT_FILE = "qv-font.ttf";
// An unchanged picture is shown again after this many frames (one second).
constexpr int REFRESH_FRAMES = 30;

} // namespace

std::unique_ptr<Screen> makeDefaultScreen() {
    return std::make_unique<WindowScreen>();
}

WindowScreen::WindowScreen()
    : horizontalPixels(1024), verticalPixels(768), horizontalChars(80), verticalChars(24),
      backgroundColor(sf::Color::Black), windowShowsPrevious(false), flushed(0), rasterisedTotal(0),
      unchangedFrames(0), glyphs{}, inkStamp(1) {
    // A missing font is reported by open(), which loads it again.
    font.loadFromFile(findDataFile(FONT_FILE));
}

WindowScreen::~WindowScreen() = default;

int WindowScreen::open(const std::string& newTitle, int columns, int rows, int width, int height) {
    title = newTitle;
    failure.clear();
    horizontalChars = columns;
    verticalChars = rows;
    horizontalPixels = width;
    verticalPixels = height;
    // Without a display SFML would abort the whole program. Held until the
    // window exists, so that a server which resets when its last client
    // leaves cannot reset under SFML's own connection.
    const std::unique_ptr<DisplayProbe> probe = reachDisplay();
    if (probe == nullptr) {
        return fail("no X display to open the window on (is DISPLAY set?)");
    }
    const unsigned pixelsWide = static_cast<unsigned>(horizontalPixels);
    const unsigned pixelsHigh = static_cast<unsigned>(verticalPixels);
    window = std::make_unique<sf::RenderWindow>(sf::VideoMode(pixelsWide, pixelsHigh, 32), title,
                                                sf::Style::Titlebar | sf::Style::Close,
                                                sf::ContextSettings());
    if (!window->isOpen()) {
        return fail("could not open a " + std::to_string(pixelsWide) + " x " +
                    std::to_string(pixelsHigh) + " window");
    }
    windowShowsPrevious = false;
    // Room for a full grid, so frames never reallocate.
    const std::size_t gridCells = static_cast<std::size_t>(horizontalChars * verticalChars);
    previous.reserve(gridCells);
    vertices.reserve(gridCells * 12);
    window->setMouseCursorVisible(false);
    window->setVerticalSyncEnabled(true);
    if (!font.loadFromFile(findDataFile(FONT_FILE))) {
        char folder[PATH_MAX];
        const char* chosen = std::getenv("QV_DATA_DIR");
        const bool named = chosen != nullptr && *chosen != '\0';
        return fail(
            std::string("cannot load the font ") + FONT_FILE + " from " +
            (getcwd(folder, sizeof folder) != nullptr ? folder : "the working folder") + " or " +
            dataFoldersText() +
            (named ? " (named by QV_DATA_DIR)" : "; set QV_DATA_DIR to the folder that holds it"));
    }
    ink.assign(gridCells, InkBox{});
    prepareGlyphs();
    return 0;
}

void WindowScreen::prepareGlyphs() {
    const unsigned int size = glyphSize();
    const float baseline = static_cast<float>(size);
    // Texture and bounds grow by one pixel on every side, for smoothing.
    const float padding = 1.0f;
    for (int byte = 0; byte < 256; ++byte) {
        // The character as the default locale makes it, as a single-character
        // text would; a text draws no glyph for blanks, and skips '\r'.
        const sf::Uint32 code = sf::String(static_cast<char>(byte))[0];
        GlyphQuad& quad = glyphs[byte];
        quad.inked = code != U' ' && code != U'\t' && code != U'\n' && code != U'\r';
        if (!quad.inked) {
            continue;
        }
        const sf::Glyph& glyph = font.getGlyph(code, size, true);
        quad.area =
            sf::FloatRect(glyph.bounds.left - padding, baseline + glyph.bounds.top - padding,
                          glyph.bounds.width + 2 * padding, glyph.bounds.height + 2 * padding);
        quad.texture = sf::FloatRect(static_cast<float>(glyph.textureRect.left) - padding,
                                     static_cast<float>(glyph.textureRect.top) - padding,
                                     static_cast<float>(glyph.textureRect.width) + 2 * padding,
                                     static_cast<float>(glyph.textureRect.height) + 2 * padding);
    }
    // Every glyph once, in the background colour, shown and cleared: the GL
    // driver builds its drawing code and takes the glyph page now.
    vertices.clear();
    for (int byte = 0; byte < 256; ++byte) {
        const GlyphQuad& quad = glyphs[byte];
        if (quad.inked) {
            addQuad(quad.area, quad.texture, backgroundColor);
        }
    }
    sf::RenderStates states;
    states.texture = &font.getTexture(size);
    window->clear(backgroundColor);
    window->draw(vertices.data(), vertices.size(), sf::Triangles, states);
    window->display();
    window->clear(backgroundColor);
}

int WindowScreen::fail(std::string why) {
    failure = std::move(why);
    return -1;
}

const std::string& WindowScreen::getFailure() const {
    return failure;
}

long long WindowScreen::getRasterisedCells() const {
    return rasterisedTotal;
}

void WindowScreen::setTitle(const std::string& newTitle) {
    title = newTitle;
    if (window) {
        window->setTitle(title);
    }
}

bool WindowScreen::showStatus(const std::string& text) {
    if (window) {
        window->setTitle(text.empty() ? title : title + "  " + text);
    }
    return true;
}

bool WindowScreen::isOpen() const {
    return window != nullptr;
}

void WindowScreen::close() {
    if (window) {
        window->close();
        window.reset();
    }
    previous.clear();
    windowShowsPrevious = false;
    flushed = 0;
    unchangedFrames = 0;
}

float WindowScreen::cellWidth() const {
    return static_cast<float>(horizontalPixels) / static_cast<float>(horizontalChars);
}

float WindowScreen::cellHeight() const {
    return static_cast<float>(verticalPixels) / static_cast<float>(verticalChars);
}

unsigned int WindowScreen::glyphSize() const {
    const float smaller = cellWidth() < cellHeight() ? cellWidth() : cellHeight();
    return static_cast<unsigned int>(2.0f * smaller);
}

sf::Color WindowScreen::toSfColor(Color color) {
    switch (color) {
    case BLACK:
        return sf::Color::Black;
    case RED:
        return sf::Color::Red;
    case GREEN:
        return sf::Color::Green;
    case YELLOW:
        return sf::Color::Yellow;
    case BLUE:
        return sf::Color::Blue;
    case MAGENTA:
        return sf::Color::Magenta;
    case CYAN:
        return sf::Color::Cyan;
    default:
        return sf::Color::White;
    }
}

void WindowScreen::addQuad(sf::FloatRect area, sf::FloatRect texture, sf::Color color) {
    const float right = area.left + area.width;
    const float bottom = area.top + area.height;
    const float textureRight = texture.left + texture.width;
    const float textureBottom = texture.top + texture.height;
    const sf::Vertex topLeft({area.left, area.top}, color, {texture.left, texture.top});
    const sf::Vertex topRight({right, area.top}, color, {textureRight, texture.top});
    const sf::Vertex bottomLeft({area.left, bottom}, color, {texture.left, textureBottom});
    const sf::Vertex bottomRight({right, bottom}, color, {textureRight, textureBottom});
    vertices.insert(vertices.end(),
                    {topLeft, topRight, bottomLeft, bottomLeft, topRight, bottomRight});
}

WindowScreen::CellSpan WindowScreen::cellsUnder(float left, float top, float right,
                                                float bottom) const {
    const auto index = [](float at, float size, int count) {
        const float cell = std::floor(at / size);
        return cell <= 0.0f                            ? 0
               : cell >= static_cast<float>(count - 1) ? count - 1
                                                       : static_cast<int>(cell);
    };
    return {index(left, cellWidth(), horizontalChars), index(right, cellWidth(), horizontalChars),
            index(top, cellHeight(), verticalChars), index(bottom, cellHeight(), verticalChars)};
}

bool WindowScreen::coversInk(const sf::FloatRect& area) const {
    const float right = area.left + area.width;
    const float bottom = area.top + area.height;
    const CellSpan span = cellsUnder(area.left, area.top, right, bottom);
    for (int row = span.firstRow; row <= span.lastRow; ++row) {
        for (int column = span.firstColumn; column <= span.lastColumn; ++column) {
            const InkBox& box = ink[static_cast<std::size_t>(row * horizontalChars + column)];
            if (box.stamp == inkStamp && box.left < right && area.left < box.right &&
                box.top < bottom && area.top < box.bottom) {
                return true;
            }
        }
    }
    return false;
}

void WindowScreen::addInk(const sf::FloatRect& area) {
    const float right = area.left + area.width;
    const float bottom = area.top + area.height;
    const CellSpan span = cellsUnder(area.left, area.top, right, bottom);
    for (int row = span.firstRow; row <= span.lastRow; ++row) {
        for (int column = span.firstColumn; column <= span.lastColumn; ++column) {
            InkBox& box = ink[static_cast<std::size_t>(row * horizontalChars + column)];
            if (box.stamp != inkStamp) {
                box = {inkStamp, area.left, area.top, right, bottom};
            } else {
                box = {inkStamp, std::min(box.left, area.left), std::min(box.top, area.top),
                       std::max(box.right, right), std::max(box.bottom, bottom)};
            }
        }
    }
}

void WindowScreen::addCellVertices(const PixelCell& cell) {
    const float width = cellWidth();
    const float height = cellHeight();

    // The glyph page keeps an opaque white square at its top-left corner;
    // sampling its centre makes a plain rectangle of the vertex colour.
    const sf::FloatRect opaqueTexel(1.0f, 1.0f, 0.0f, 0.0f);
    const sf::FloatRect background(cell.x - width / 10.0f, cell.y + height / 5.0f, width, height);
    if (coversInk(background)) {
        addQuad(background, opaqueTexel, backgroundColor);
    }

    const GlyphQuad& quad = glyphs[static_cast<unsigned char>(cell.ch)];
    if (!quad.inked) {
        return;
    }
    const sf::FloatRect area(cell.x + quad.area.left, cell.y + quad.area.top, quad.area.width,
                             quad.area.height);
    addQuad(area, quad.texture, toSfColor(cell.color));
    addInk(area);
}

void WindowScreen::flush(const std::vector<ScreenCell>& cells) {
    if (!window || flushed == cells.size()) {
        return;
    }
    vertices.clear();
    for (std::size_t i = flushed; i < cells.size(); ++i) {
        const ScreenCell& cell = cells[i];
        addCellVertices({cell.column * cellWidth(), cell.row * cellHeight(), cell.ch, cell.color});
    }
    sf::RenderStates states;
    states.texture = &font.getTexture(glyphSize());
    window->draw(vertices.data(), vertices.size(), sf::Triangles, states);
    rasterisedTotal += static_cast<long long>(cells.size() - flushed);
    flushed = cells.size();
}

void WindowScreen::show(const std::vector<ScreenCell>& cells, const TextGrid&) {
    if (!window) {
        return;
    }
    // The same cells in the same order make the same picture, and the window
    // already shows it: nothing to rasterise or swap. Now and then it is
    // drawn again all the same, to repair a window the desktop uncovered.
    const bool unchanged = windowShowsPrevious && flushed == 0 && cells == previous;
    if (!unchanged || ++unchangedFrames >= REFRESH_FRAMES) {
        flush(cells);
        window->display();
        window->clear(backgroundColor);
        unchangedFrames = 0;
        windowShowsPrevious = true;
    }
    // An unchanged frame's cells are already there.
    if (!unchanged) {
        previous.assign(cells.begin(), cells.end());
    }
    flushed = 0;
    ++inkStamp;
}

std::unique_ptr<InputSource> WindowScreen::makeInput() {
    return std::make_unique<WindowInput>();
}

void WindowScreen::setKeyRepeat(bool enabled) {
    if (window) {
        window->setKeyRepeatEnabled(enabled);
    }
}

sf::RenderWindow* WindowScreen::getWindow() const {
    return window.get();
}

} // namespace qv
