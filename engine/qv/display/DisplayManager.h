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
/// which only records the cell: the frame goes to the window in one draw call
/// when it is shown, textured from the font's glyph page. A frame that
/// records exactly the cells of the previous one leaves the window showing
/// that picture: nothing is rasterised or swapped.
/// Every cell also goes to a text grid of the frame; a headless display has
/// no window and only that grid.
class DisplayManager : public Manager {
public:
    /// The one display manager, made on first use.
    static DisplayManager& getInstance();

    ~DisplayManager() override;

    /// Opens the window and loads the font "qv-font.ttf". 0 on success (also
    /// when the window is already open); -1 when there is no X display, no
    /// window or no font (the window then stays open if it was made, and the
    /// manager is not started); getFailure() says which.
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
    /// Does nothing when no cell was recorded since the last flush or frame.
    void flush();

    /// Shows the frame drawn since the last call, then clears for the next.
    /// An unchanged frame leaves the window as it is, but for a full redraw
    /// once a second.
    void showFrame();

    /// The text grid of the last frame shown.
    const TextGrid& getGrid() const;

    /// The world cell under a window pixel, such as a mouse event's
    /// position: whole column and row, the view's corner added.
    Vector pixelsToCells(Vector pixels) const;

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

    /// One line saying why the last startUp() failed, or empty.
    const std::string& getFailure() const;

    /// Cells rasterised since startUp(); a frame that repeats the previous
    /// one adds none.
    long long getRasterisedCells() const;

    /// The SFML colour a qv::Color is drawn in (white for unknown values).
    static sf::Color toSfColor(Color color);

private:
    DisplayManager();

    /// One drawCh() call, in window pixels: what decides the frame's image.
    struct Cell {
        float x;
        float y;
        char ch;
        Color color;
        bool operator==(const Cell& other) const {
            return x == other.x && y == other.y && ch == other.ch && color == other.color;
        }
    };

    float cellWidth() const;
    float cellHeight() const;
    unsigned int glyphSize() const;
    /// Remembers a cell for the frame being drawn.
    void recordCell(const Cell& cell);
    /// Appends the cell's background and glyph to the vertices.
    void addCellVertices(const Cell& cell);
    /// Appends two triangles covering the rectangle, coloured and textured.
    void addQuad(sf::FloatRect area, sf::FloatRect texture, sf::Color color);
    /// Records why startUp() failed and returns -1.
    int fail(std::string why);

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

    std::string failure;

    // The cells of the frame being drawn and of the last one shown.
    std::vector<Cell> frame;
    std::vector<Cell> previous;
    // Whether the window shows the previous frame's cells, and how many of
    // this frame's are already on its surface.
    bool windowShowsPrevious;
    std::size_t flushed;
    long long rasterisedTotal;
    int unchangedFrames;
    // Scratch vertices, kept to avoid reallocating every frame.
    std::vector<sf::Vertex> vertices;
};

} // namespace qv

#endif
