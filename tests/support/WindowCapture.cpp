#include "support/WindowCapture.h"

#include "GlDriver.h"

#include "qv/display/DisplayManager.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <cstdlib>

// Last: Xlib's macros clash with names in the headers above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

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
    const bool started = display.startUp() == 0 && display.getWindow() != nullptr;
    qvbench::keepGlDriverLoaded();
    return started;
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

sf::Image captureShownFrame(const sf::Window& window) {
    Display* x = XOpenDisplay(nullptr);
    if (x == nullptr) {
        return sf::Image();
    }
    // What the X server shows in the window, read over a connection of our own.
    const sf::Vector2u size = window.getSize();
    XImage* shot = XGetImage(x, window.getSystemHandle(), 0, 0, size.x, size.y, AllPlanes, ZPixmap);
    qvbench::keepGlDriverLoaded();
    sf::Image image;
    image.create(size.x, size.y);
    for (unsigned y = 0; shot != nullptr && y < size.y; ++y) {
        for (unsigned x0 = 0; x0 < size.x; ++x0) {
            const unsigned long pixel = XGetPixel(shot, static_cast<int>(x0), static_cast<int>(y));
            image.setPixel(x0, y,
                           sf::Color(static_cast<sf::Uint8>(pixel >> 16),
                                     static_cast<sf::Uint8>(pixel >> 8),
                                     static_cast<sf::Uint8>(pixel)));
        }
    }
    if (shot != nullptr) {
        XDestroyImage(shot);
    }
    XCloseDisplay(x);
    return image;
}

sf::IntRect cellProbe(int column, int row) {
    // Glyphs stay inside their cell; 1 to 11 across and 6 to 26 down, every
    // character leaves some ink.
    const int left = static_cast<int>(static_cast<float>(column) * 12.8f);
    return sf::IntRect(left + 1, row * 32 + 6, 10, 20);
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
