#include "support/WindowCapture.h"

#include "GlDriver.h"

#include "qv/display/DisplayManager.h"

#include <SFML/Graphics/Texture.hpp>

#include <cstdlib>

namespace qvtest {

namespace {

sf::IntRect clipped(const sf::Image& image, const sf::IntRect& area) {
    sf::IntRect inside;
    area.intersects(
        sf::IntRect(0, 0, static_cast<int>(image.getSize().x), static_cast<int>(image.getSize().y)),
        inside);
    return inside;
}

} // namespace

bool haveDisplay() {
    const char* name = std::getenv("DISPLAY");
    return name != nullptr && *name != '\0';
}

bool startDisplay() {
    qv::DisplayManager& display = qv::DisplayManager::getInstance();
    return display.startUp() == 0 && display.getWindow() != nullptr;
}

sf::Image captureWindow() {
    sf::RenderWindow* window = qv::DisplayManager::getInstance().getWindow();
    if (window == nullptr) {
        return sf::Image();
    }
    sf::Texture texture;
    texture.create(window->getSize().x, window->getSize().y);
    qv::DisplayManager::getInstance().flush();
    texture.update(*window);
    qvbench::keepGlDriverLoaded();
    return texture.copyToImage();
}

sf::IntRect cellProbe(int column, int row) {
    // The first columns of a 12.8-pixel cell may carry the left neighbour's
    // ink; 5 to 11 across and 8 to 24 down, every character leaves some.
    const int left = static_cast<int>(static_cast<float>(column) * 12.8f);
    return sf::IntRect(left + 5, row * 32 + 8, 6, 16);
}

int countPixels(const sf::Image& image, const sf::IntRect& area, sf::Color color) {
    const sf::IntRect inside = clipped(image, area);
    int count = 0;
    for (int y = inside.top; y < inside.top + inside.height; ++y) {
        for (int x = inside.left; x < inside.left + inside.width; ++x) {
            if (image.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y)) == color) {
                ++count;
            }
        }
    }
    return count;
}

int countLit(const sf::Image& image, const sf::IntRect& area) {
    const sf::IntRect inside = clipped(image, area);
    return inside.width * inside.height - countPixels(image, inside, sf::Color::Black);
}

std::vector<int> litColumns(const sf::Image& image, int row) {
    std::vector<int> columns;
    for (int column = 0; column < 80; ++column) {
        if (countLit(image, cellProbe(column, row)) > 0) {
            columns.push_back(column);
        }
    }
    return columns;
}

} // namespace qvtest
