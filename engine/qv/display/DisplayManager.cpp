#include "qv/display/DisplayManager.h"

#include "qv/core/DataFile.h"
#include "qv/core/Platform.h"
#include "qv/world/WorldManager.h"

#include <unistd.h>

#include <climits>
#include <cmath>

namespace qv {

namespace {

constexpr const char* WINDOW_TITLE = "Quorvel";
constexpr const char* FONT_FILE = "qv-font.ttf";
// An unchanged picture is shown again after this many frames (one second).
constexpr int REFRESH_FRAMES = 30;

} // namespace

DisplayManager::DisplayManager()
    : horizontalPixels(1024), verticalPixels(768), horizontalChars(80), verticalChars(24),
      backgroundColor(sf::Color::Black), title(WINDOW_TITLE), headless(false),
      drawingGrid(horizontalChars, verticalChars), shownGrid(horizontalChars, verticalChars),
      windowShowsPrevious(false), flushed(0), rasterisedTotal(0), unchangedFrames(0) {
    setType("DisplayManager");
    // A missing font is reported by startUp(), which loads it again.
    font.loadFromFile(findDataFile(FONT_FILE));
}

DisplayManager::~DisplayManager() = default;

DisplayManager& DisplayManager::getInstance() {
    static DisplayManager instance;
    return instance;
}

void DisplayManager::setHeadless(bool isHeadless) {
    headless = isHeadless;
}

bool DisplayManager::isHeadless() const {
    return headless;
}

int DisplayManager::startUp() {
    if (window) {
        return 0;
    }
    failure.clear();
    drawingGrid.clear();
    shownGrid.clear();
    if (headless) {
        return Manager::startUp();
    }
    // Without a display SFML would abort the whole program.
    if (!platform::canReachDisplay()) {
        return fail("no X display to open the window on (is DISPLAY set?)");
    }
    const unsigned width = static_cast<unsigned>(horizontalPixels);
    const unsigned height = static_cast<unsigned>(verticalPixels);
    window = std::make_unique<sf::RenderWindow>(sf::VideoMode(width, height, 32), title,
                                                sf::Style::Titlebar | sf::Style::Close,
                                                sf::ContextSettings());
    if (!window->isOpen()) {
        return fail("could not open a " + std::to_string(width) + " x " + std::to_string(height) +
                    " window");
    }
    windowShowsPrevious = false;
    // Room for a full grid, so frames never reallocate.
    const std::size_t gridCells = static_cast<std::size_t>(horizontalChars * verticalChars);
    frame.reserve(gridCells);
    previous.reserve(gridCells);
    vertices.reserve(gridCells * 12);
    window->setMouseCursorVisible(false);
    window->setVerticalSyncEnabled(true);
    if (!font.loadFromFile(findDataFile(FONT_FILE))) {
        char folder[PATH_MAX];
        return fail(std::string("cannot load the font ") + FONT_FILE + " from " +
                    (getcwd(folder, sizeof folder) != nullptr ? folder : "the working folder") +
                    " or " + installedDataFolder());
    }
    return Manager::startUp();
}

int DisplayManager::fail(std::string why) {
    failure = std::move(why);
    return -1;
}

const std::string& DisplayManager::getFailure() const {
    return failure;
}

long long DisplayManager::getRasterisedCells() const {
    return rasterisedTotal;
}

void DisplayManager::setTitle(const std::string& newTitle) {
    title = newTitle;
    if (window) {
        window->setTitle(title);
    }
}

const std::string& DisplayManager::getTitle() const {
    return title;
}

void DisplayManager::shutDown() {
    if (window) {
        window->close();
        window.reset();
    }
    frame.clear();
    previous.clear();
    windowShowsPrevious = false;
    flushed = 0;
    unchangedFrames = 0;
    Manager::shutDown();
}

float DisplayManager::cellWidth() const {
    return static_cast<float>(horizontalPixels) / static_cast<float>(horizontalChars);
}

float DisplayManager::cellHeight() const {
    return static_cast<float>(verticalPixels) / static_cast<float>(verticalChars);
}

unsigned int DisplayManager::glyphSize() const {
    const float smaller = cellWidth() < cellHeight() ? cellWidth() : cellHeight();
    return static_cast<unsigned int>(2.0f * smaller);
}

sf::Color DisplayManager::toSfColor(Color color) {
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

void DisplayManager::addQuad(sf::FloatRect area, sf::FloatRect texture, sf::Color color) {
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

Vector DisplayManager::pixelsToCells(Vector pixels) const {
    const Vector corner = WorldManager::getInstance().getView().corner;
    return Vector(std::floor(pixels.x / cellWidth()) + corner.x,
                  std::floor(pixels.y / cellHeight()) + corner.y);
}

int DisplayManager::drawCh(Vector position, char ch, Color color) {
    const Vector corner = WorldManager::getInstance().getView().corner;
    drawingGrid.put(static_cast<int>(std::floor(position.x - corner.x)),
                    static_cast<int>(std::floor(position.y - corner.y)), ch, color);
    if (!window) {
        return headless ? 0 : -1;
    }
    recordCell(
        {(position.x - corner.x) * cellWidth(), (position.y - corner.y) * cellHeight(), ch, color});
    return 0;
}

void DisplayManager::recordCell(const Cell& cell) {
    frame.push_back(cell);
}

void DisplayManager::addCellVertices(const Cell& cell) {
    const float width = cellWidth();
    const float height = cellHeight();

    // The glyph page keeps an opaque white square at its top-left corner;
    // sampling its centre makes a plain rectangle of the vertex colour.
    const sf::FloatRect opaqueTexel(1.0f, 1.0f, 0.0f, 0.0f);
    addQuad(sf::FloatRect(cell.x - width / 10.0f, cell.y + height / 5.0f, width, height),
            opaqueTexel, backgroundColor);

    // The character as the default locale makes it, placed on the baseline
    // one glyph size below the cell's top, as a single-character text would be.
    const sf::Uint32 code = sf::String(cell.ch)[0];
    // A text draws no glyph for these: blanks only advance, '\r' is skipped.
    if (code == U' ' || code == U'\t' || code == U'\n' || code == U'\r') {
        return;
    }
    const unsigned int size = glyphSize();
    const sf::Glyph& glyph = font.getGlyph(code, size, true);
    // Texture and bounds grow by one pixel on every side, for smoothing.
    const float padding = 1.0f;
    const float baseline = static_cast<float>(size);
    const sf::FloatRect bounds(glyph.bounds.left - padding, baseline + glyph.bounds.top - padding,
                               glyph.bounds.width + 2 * padding, glyph.bounds.height + 2 * padding);
    const sf::FloatRect texture(static_cast<float>(glyph.textureRect.left) - padding,
                                static_cast<float>(glyph.textureRect.top) - padding,
                                static_cast<float>(glyph.textureRect.width) + 2 * padding,
                                static_cast<float>(glyph.textureRect.height) + 2 * padding);
    addQuad(sf::FloatRect(cell.x + bounds.left, cell.y + bounds.top, bounds.width, bounds.height),
            texture, toSfColor(cell.color));
}

int DisplayManager::drawString(Vector position, const std::string& text,
                               Justification justification, Color color) {
    const int length = static_cast<int>(text.size());
    float first = position.x;
    if (justification == CENTER) {
        first -= static_cast<float>(length / 2);
    } else if (justification == RIGHT) {
        first -= static_cast<float>(length);
    }
    for (int i = 0; i < length; ++i) {
        drawCh(Vector(first + static_cast<float>(i), position.y), text[static_cast<std::size_t>(i)],
               color);
    }
    return 0;
}

void DisplayManager::flush() {
    if (!window || flushed == frame.size()) {
        return;
    }
    vertices.clear();
    for (std::size_t i = flushed; i < frame.size(); ++i) {
        addCellVertices(frame[i]);
    }
    sf::RenderStates states;
    states.texture = &font.getTexture(glyphSize());
    window->draw(vertices.data(), vertices.size(), sf::Triangles, states);
    rasterisedTotal += static_cast<long long>(frame.size() - flushed);
    flushed = frame.size();
}

void DisplayManager::showFrame() {
    shownGrid.swap(drawingGrid);
    drawingGrid.clear();
    if (!window) {
        return;
    }
    // The same cells in the same order make the same picture, and the window
    // already shows it: nothing to rasterise or swap. Now and then it is
    // drawn again all the same, to repair a window the desktop uncovered.
    const bool unchanged = windowShowsPrevious && flushed == 0 && frame == previous;
    if (!unchanged || ++unchangedFrames >= REFRESH_FRAMES) {
        flush();
        window->display();
        window->clear(backgroundColor);
        unchangedFrames = 0;
        windowShowsPrevious = true;
    }
    previous.swap(frame);
    frame.clear();
    flushed = 0;
}

int DisplayManager::getHorizontalChars() const {
    return horizontalChars;
}

int DisplayManager::getVerticalChars() const {
    return verticalChars;
}

int DisplayManager::getHorizontalPixels() const {
    return horizontalPixels;
}

int DisplayManager::getVerticalPixels() const {
    return verticalPixels;
}

sf::RenderWindow* DisplayManager::getWindow() const {
    return window.get();
}

const TextGrid& DisplayManager::getGrid() const {
    return shownGrid;
}

} // namespace qv
