#include "display/DisplayManager.h"

#include "world/WorldManager.h"

namespace qv {

namespace {

constexpr const char* WINDOW_TITLE = "Quorvel";
constexpr const char* FONT_FILE = "qv-font.ttf";

} // namespace

DisplayManager::DisplayManager()
    : horizontalPixels(1024), verticalPixels(768), horizontalChars(80), verticalChars(24),
      backgroundColor(sf::Color::Black) {
    setType("DisplayManager");
    // A missing font is reported by startUp(), which loads it again.
    font.loadFromFile(FONT_FILE);
}

DisplayManager::~DisplayManager() = default;

DisplayManager& DisplayManager::getInstance() {
    static DisplayManager instance;
    return instance;
}

int DisplayManager::startUp() {
    if (window) {
        return 0;
    }
    window = std::make_unique<sf::RenderWindow>(
        sf::VideoMode(static_cast<unsigned>(horizontalPixels),
                      static_cast<unsigned>(verticalPixels), 32),
        WINDOW_TITLE, sf::Style::Titlebar | sf::Style::Close, sf::ContextSettings());
    window->setMouseCursorVisible(false);
    window->setVerticalSyncEnabled(true);
    if (!font.loadFromFile(FONT_FILE)) {
        return -1;
    }
    return Manager::startUp();
}

void DisplayManager::shutDown() {
    if (window) {
        window->close();
        window.reset();
    }
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

int DisplayManager::drawCh(Vector position, char ch, Color color) const {
    if (!window) {
        return -1;
    }
    if (!cellText) {
        cellText = std::make_unique<sf::Text>("", font, 30);
        cellBackground = std::make_unique<sf::RectangleShape>();
    }
    const Vector corner = WorldManager::getInstance().getView().corner;
    const float width = cellWidth();
    const float height = cellHeight();
    const float px = (position.x - corner.x) * width;
    const float py = (position.y - corner.y) * height;

    cellBackground->setSize(sf::Vector2f(width, height));
    cellBackground->setFillColor(sf::Color::Black);
    cellBackground->setPosition(px - width / 10.0f, py + height / 5.0f);
    window->draw(*cellBackground);

    cellText->setString(sf::String(ch));
    cellText->setStyle(sf::Text::Bold);
    cellText->setCharacterSize(glyphSize());
    cellText->setFillColor(toSfColor(color));
    cellText->setPosition(px, py);
    window->draw(*cellText);
    return 0;
}

int DisplayManager::drawString(Vector position, const std::string& text,
                               Justification justification, Color color) const {
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

void DisplayManager::showFrame() {
    if (!window) {
        return;
    }
    window->display();
    window->clear(backgroundColor);
}

int DisplayManager::getHorizontalChars() const { return horizontalChars; }

int DisplayManager::getVerticalChars() const { return verticalChars; }

int DisplayManager::getHorizontalPixels() const { return horizontalPixels; }

int DisplayManager::getVerticalPixels() const { return verticalPixels; }

sf::RenderWindow* DisplayManager::getWindow() const { return window.get(); }

} // namespace qv
