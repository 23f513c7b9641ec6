#ifndef QV_TESTS_SUPPORT_WINDOWCAPTURE_H
#define QV_TESTS_SUPPORT_WINDOWCAPTURE_H

// Reads back what the display drew into its real window (under Xvfb), so
// tests compare lit cells and colours rather than whole images.

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/Window/Window.hpp>

#include <vector>

namespace qvtest {

/// True when there is an X display; without one SFML aborts, so tests skip.
bool haveDisplay();
/// Starts the display manager; true when it has a window.
bool startDisplay();
/// What has been drawn since the last showFrame().
sf::Image captureWindow();
/// What the window shows on the X screen: the frame last put there.
sf::Image captureShownFrame(const sf::Window& window);
/// A rectangle of cell (column, row) that only the cell's own glyph inks.
sf::IntRect cellProbe(int column, int row);
int countPixels(const sf::Image& image, const sf::IntRect& area, sf::Color color);
/// Pixels of the rectangle that are not black.
int countLit(const sf::Image& image, const sf::IntRect& area);
/// The columns of a grid row whose probe holds any non-black pixel.
std::vector<int> litColumns(const sf::Image& image, int row);

} // namespace qvtest

#endif
