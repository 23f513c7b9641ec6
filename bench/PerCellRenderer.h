#ifndef QV_BENCH_PERCELLRENDERER_H
#define QV_BENCH_PERCELLRENDERER_H

#include "qv/display/Color.h"
#include "qv/world/Vector.h"

#include <SFML/Graphics.hpp>

namespace qvbench {

/// The plain way to draw the character grid: one sf::RectangleShape and one
/// sf::Text per cell, two draw calls each, straight onto the window. The
/// yardstick the display's batched drawing is measured and checked against.
class PerCellRenderer {
public:
    /// Uses the display's window, font file and grid geometry.
    PerCellRenderer();

    /// False when the font could not be loaded.
    bool isReady() const;

    /// Draws one cell like DisplayManager::drawCh, at once, onto window.
    void drawCh(sf::RenderTarget& window, qv::Vector position, char ch, qv::Color color);

private:
    sf::Font font;
    bool ready;
    sf::Text text;
    sf::RectangleShape background;
};

} // namespace qvbench

#endif
