#ifndef QV_TESTS_SUPPORT_WINDOWCAPTURE_H
#define QV_TESTS_SUPPORT_WINDOWCAPTURE_H

// Reading back what the display drew into its real window (under Xvfb), cell
// by cell, so tests compare lit cells and colours rather than whole images.

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Rect.hpp>

#include <vector>

namespace qvtest {

/// True when there is an X display to open windows on. Without one SFML
/// aborts, so window tests skip instead.
bool haveDisplay();

/// Starts the display manager; true when it is started and has a window.
bool startDisplay();

/// What has been drawn since the last showFrame(), read from the window.
sf::Image captureWindow();

/// A rectangle inside cell (column, row) of the 80 x 24 grid that the cell's
/// own glyph inks and its neighbours' glyphs do not reach.
sf::IntRect cellProbe(int column, int row);

/// How many pixels of the rectangle have exactly this colour.
int countPixels(const sf::Image& image, const sf::IntRect& area, sf::Color color);

/// How many pixels of the rectangle are not black.
int countLit(const sf::Image& image, const sf::IntRect& area);

/// The columns of a grid row whose probe holds any non-black pixel.
std::vector<int> litColumns(const sf::Image& image, int row);

} // namespace qvtest

#endif
