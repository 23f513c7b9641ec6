#include "qv/display/DisplayManager.h"

#include "qv/world/WorldManager.h"

#include <cmath>

namespace qv {

namespace {

constexpr const char* WINDOW_TITLE = "Quorvel";

// Below this size a sum of a few such numbers stays under 2^17, where a
// float's rounding step is 2^-7: adding whole numbers to a start at most
// FRACTION_LIMIT past a whole number never rounds it across the next one,
// so the cell reached by float sums is the one reached by integer sums.
constexpr float PLACE_LIMIT = 32768.0f;
constexpr float FRACTION_LIMIT = 0.9f;

bool isPlaceable(float value) {
    return std::fabs(value) < PLACE_LIMIT && value - std::floor(value) <= FRACTION_LIMIT;
}

bool isWhole(float value) {
    return std::fabs(value) < PLACE_LIMIT && std::floor(value) == value;
}

} // namespace

DisplayManager::DisplayManager()
    : screenOpen(false), horizontalPixels(1024), verticalPixels(768), horizontalChars(80),
      verticalChars(24), title(WINDOW_TITLE), headless(false), scale(1),
      drawingGrid(horizontalChars, verticalChars), shownGrid(horizontalChars, verticalChars),
      hidden(false) {
    setType("DisplayManager");
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

void DisplayManager::setScale(int newScale) {
    scale = newScale < 1 ? 1 : newScale;
}

int DisplayManager::getScale() const {
    return scale;
}

void DisplayManager::setScreen(std::unique_ptr<Screen> newScreen) {
    if (screen) {
        screen->close();
    }
    screen = std::move(newScreen);
    screenOpen = false;
    frame.clear();
}

int DisplayManager::startUp() {
    if (screenOpen) {
        return 0;
    }
    failure.clear();
    drawingGrid.clear();
    shownGrid.clear();
    if (headless) {
        return Manager::startUp();
    }
    if (!screen) {
        screen = makeDefaultScreen();
    }
    if (!screen) {
        failure = "no screen to show the game on";
        return -1;
    }
    // Room for a full grid, so frames never reallocate.
    frame.reserve(static_cast<std::size_t>(horizontalChars * verticalChars));
    const int opened = screen->open(title, horizontalChars, verticalChars, horizontalPixels * scale,
                                    verticalPixels * scale);
    screenOpen = screen->isOpen();
    if (opened != 0) {
        failure = screen->getFailure();
        return -1;
    }
    return Manager::startUp();
}

const std::string& DisplayManager::getFailure() const {
    return failure;
}

long long DisplayManager::getRasterisedCells() const {
    return screen ? screen->getRasterisedCells() : 0;
}

void DisplayManager::setTitle(const std::string& newTitle) {
    title = newTitle;
    if (screenOpen) {
        screen->setTitle(title);
    }
}

const std::string& DisplayManager::getTitle() const {
    return title;
}

void DisplayManager::shutDown() {
    if (screenOpen) {
        screen->close();
        screenOpen = false;
    }
    frame.clear();
    Manager::shutDown();
}

// Inline: the loops that draw many characters call it for each.
inline int DisplayManager::drawChFrom(Vector corner, Vector position, char ch, Color color) {
    drawingGrid.put(static_cast<int>(std::floor(position.x - corner.x)),
                    static_cast<int>(std::floor(position.y - corner.y)), ch, color);
    if (!screenOpen) {
        return headless ? 0 : -1;
    }
    if (hidden) {
        return 0;
    }
    frame.push_back({position.x - corner.x, position.y - corner.y, ch, color});
    return 0;
}

int DisplayManager::drawCh(Vector position, char ch, Color color) {
    return drawChFrom(WorldManager::getInstance().getView().corner, position, ch, color);
}

bool DisplayManager::drawsOnGridOnly(Vector start, Vector corner, int width, int height) const {
    // Screen cells keep their own float positions, so a screen to draw on
    // takes the cell-by-cell path.
    return (!screenOpen || hidden) && static_cast<float>(width) < PLACE_LIMIT &&
           static_cast<float>(height) < PLACE_LIMIT && isPlaceable(start.x) &&
           isPlaceable(start.y) && isWhole(corner.x) && isWhole(corner.y);
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
    // Nothing a character does moves the view: it is asked for once.
    const Vector corner = WorldManager::getInstance().getView().corner;
    if (drawsOnGridOnly(Vector(first, position.y), corner, length, 1)) {
        drawingGrid.putRow(static_cast<int>(std::floor(first)) - static_cast<int>(corner.x),
                           static_cast<int>(std::floor(position.y)) - static_cast<int>(corner.y),
                           text.data(), length, color);
        return 0;
    }
    for (int i = 0; i < length; ++i) {
        drawChFrom(corner, Vector(first + static_cast<float>(i), position.y),
                   text[static_cast<std::size_t>(i)], color);
    }
    return 0;
}

int DisplayManager::drawBlock(Vector position, int width, int height, const char* cells,
                              Color color) {
    if (width <= 0 || height <= 0) {
        return 0;
    }
    const int halfWidth = width / 2;
    const int halfHeight = height / 2;
    const Vector corner = WorldManager::getInstance().getView().corner;
    if (drawsOnGridOnly(position, corner, width, height)) {
        const int left =
            static_cast<int>(std::floor(position.x)) - halfWidth - static_cast<int>(corner.x);
        const int top =
            static_cast<int>(std::floor(position.y)) - halfHeight - static_cast<int>(corner.y);
        for (int y = 0; y < height; ++y) {
            drawingGrid.putRow(left, top + y,
                               cells +
                                   static_cast<std::size_t>(y) * static_cast<std::size_t>(width),
                               width, color);
        }
        return screenOpen || headless ? 0 : -1;
    }
    int result = 0;
    for (int y = 0; y < height; ++y) {
        // Summed in the order a cell-by-cell caller sums, so every cell
        // lands where it did.
        const float row = static_cast<float>(y) + position.y - static_cast<float>(halfHeight);
        for (int x = 0; x < width; ++x) {
            const float column = static_cast<float>(x) + position.x - static_cast<float>(halfWidth);
            result =
                drawChFrom(corner, Vector(column, row),
                           cells[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                                 static_cast<std::size_t>(x)],
                           color);
        }
    }
    return result;
}

void DisplayManager::flush() {
    if (screenOpen) {
        screen->flush(frame);
    }
}

void DisplayManager::showFrame() {
    shownGrid.swap(drawingGrid);
    drawingGrid.clear();
    if (!screenOpen || hidden) {
        return;
    }
    shownCells.swap(frame);
    frame.clear();
    present();
}

void DisplayManager::present() {
    if (overlay.empty()) {
        screen->show(shownCells, shownGrid);
        return;
    }
    std::vector<ScreenCell> cells = shownCells;
    TextGrid grid = shownGrid;
    const int row = verticalChars - 1;
    for (int column = 0; column < horizontalChars; ++column) {
        const std::size_t at = static_cast<std::size_t>(column);
        const char ch = at < overlay.size() ? overlay[at] : ' ';
        cells.push_back({static_cast<float>(column), static_cast<float>(row), ch, WHITE});
        grid.put(column, row, ch, WHITE);
    }
    screen->show(cells, grid);
}

void DisplayManager::setHidden(bool isHidden) {
    hidden = isHidden;
    frame.clear();
}

void DisplayManager::reshow() {
    if (screenOpen && !hidden) {
        present();
    }
}

void DisplayManager::setOverlay(const std::string& text) {
    overlay = text;
}

bool DisplayManager::showStatus(const std::string& text) {
    return screenOpen && screen->showStatus(text);
}

Vector DisplayManager::pixelsToCells(Vector pixels) const {
    const Vector corner = WorldManager::getInstance().getView().corner;
    const float cellWidth =
        static_cast<float>(horizontalPixels) / static_cast<float>(horizontalChars);
    const float cellHeight = static_cast<float>(verticalPixels) / static_cast<float>(verticalChars);
    return Vector(std::floor(pixels.x / cellWidth) + corner.x,
                  std::floor(pixels.y / cellHeight) + corner.y);
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

std::unique_ptr<InputSource> DisplayManager::makeScreenInput() {
    return screenOpen ? screen->makeInput() : nullptr;
}

void DisplayManager::setKeyRepeat(bool enabled) {
    if (screenOpen) {
        screen->setKeyRepeat(enabled);
    }
}

const TextGrid& DisplayManager::getGrid() const {
    return shownGrid;
}

} // namespace qv
