#ifndef QV_DISPLAY_DISPLAYMANAGER_H
#define QV_DISPLAY_DISPLAYMANAGER_H

#include "qv/core/Manager.h"
#include "qv/display/Color.h"
#include "qv/display/TextGrid.h"
#include "qv/world/Vector.h"

#include <SFML/Graphics.hpp>

#include <memory>
#include <string>
#include <vector>

namespace qv {

/// Owns the window and shows the world as an 80 x 24 grid of coloured
/// characters in 1024 x 768 pixels. Everything visible goes through drawCh(),
/// which only records the cell: the whole frame goes to the window in one
/// draw call when it is shown, textured from the font's glyph page. Every
/// cell also goes to a text grid of the frame; a headless display has no
/// window and only that grid.
class DisplayManager : public Manager {
public:
    /// The one display manager, made on first use.
    static DisplayManager& getInstance();

    ~DisplayManager() override;

    /// Opens the window and loads the font "qv-font.ttf". 0 on success (also
    /// when the window is already open); -1 when the font cannot be loaded,
    /// in which case the window stays open and the manager is not started.
    int startUp() override;

    /// Whether startUp() opens no window (set before it): drawing then goes
    /// only to the text grid.
    void setHeadless(bool isHeadless);
    /// Whether this display is headless.
    bool isHeadless() const;

    /// Closes and destroys the window.
    void shutDown() override;

    /// Draws one character cell at a world position: a black background
    /// rectangle, then the glyph in color, over whatever earlier cells drew
    /// there. The cell under the character's left edge takes it in the text
    /// grid. -1 when there is no window, unless headless.
    int drawCh(Vector position, char ch, Color color);

    /// Draws text on one row, placed about position by justification.
    int drawString(Vector position, const std::string& text, Justification justification,
                   Color color);

    /// Puts the cells recorded so far onto the window's surface, in one draw
    /// call. showFrame() does this itself; call it to read the surface back.
    void flush();

    /// Shows the frame drawn since the last call, then clears for the next.
    void showFrame();

    /// The text grid of the last frame shown.
    const TextGrid& getGrid() const;

    /// Columns of the grid: 80.
    int getHorizontalChars() const;
    /// Rows of the grid: 24.
    int getVerticalChars() const;
    /// Window width in pixels: 1024.
    int getHorizontalPixels() const;
    /// Window height in pixels: 768.
    int getVerticalPixels() const;

    /// The window, or null before startUp() and after shutDown().
    sf::RenderWindow* getWindow() const;

    /// The window's title: "Quorvel" unless set. Set before startUp() it is
    /// the new window's title; set later it retitles the open window.
    void setTitle(const std::string& newTitle);
    /// The window's title.
    const std::string& getTitle() const;

    /// The SFML colour a qv::Color is drawn in (white for unknown values).
    static sf::Color toSfColor(Color color);

private:
    DisplayManager();

    float cellWidth() const;
    float cellHeight() const;
    unsigned int glyphSize() const;
    /// Appends two triangles covering the rectangle, coloured and textured.
    void addQuad(sf::FloatRect area, sf::FloatRect texture, sf::Color color);

    sf::Font font;
    std::unique_ptr<sf::RenderWindow> window;
    int horizontalPixels;
    int verticalPixels;
    int horizontalChars;
    int verticalChars;
    sf::Color backgroundColor;
    std::string title;

    bool headless;
    // The frame being drawn, and the last one shown.
    TextGrid drawingGrid;
    TextGrid shownGrid;

    // The frame's cells as textured triangles, in drawing order.
    std::vector<sf::Vertex> cells;
};

} // namespace qv

#endif
