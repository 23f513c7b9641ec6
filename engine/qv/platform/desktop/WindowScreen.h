#ifndef QV_PLATFORM_DESKTOP_WINDOWSCREEN_H
#define QV_PLATFORM_DESKTOP_WINDOWSCREEN_H

#include "qv/display/Screen.h"

#include <SFML/Graphics.hpp>

#include <memory>
#include <string>
#include <vector>

namespace qv {

/// The desktop's screen: an SFML window, each frame's cells drawn in one draw
/// call textured from the font's glyph page. A frame that repeats the
/// previous one's cells leaves the window showing that picture: nothing is
/// rasterised or swapped. A cell's black background is drawn only where it
/// covers ink of a glyph drawn earlier in the frame; elsewhere it would
/// change no pixel of the cleared surface.
class WindowScreen : public Screen {
public:
    /// Loads the font "qv-font.ttf"; a missing font is reported by open().
    WindowScreen();
    ~WindowScreen() override;

    /// Opens the window and loads the font: -1 when there is no X display,
    /// no window or no font (the window then stays open if it was made).
    int open(const std::string& title, int columns, int rows, int width, int height) override;
    /// Closes and destroys the window.
    void close() override;
    /// Whether the window exists (also after the player closed it).
    bool isOpen() const override;
    /// Why the last open() failed, or empty.
    const std::string& getFailure() const override;
    /// Retitles the window.
    void setTitle(const std::string& title) override;

    /// Puts the status after the title, in the title bar.
    bool showStatus(const std::string& text) override;
    /// Rasterises the cells not yet on the window's surface, in one draw call.
    void flush(const std::vector<ScreenCell>& cells) override;
    /// Shows the frame, then clears for the next. An unchanged frame leaves
    /// the window as it is, but for a full redraw once a second.
    void show(const std::vector<ScreenCell>& cells, const TextGrid& grid) override;
    /// Cells rasterised since the screen was made.
    long long getRasterisedCells() const override;
    /// The window's keys and mouse.
    std::unique_ptr<InputSource> makeInput() override;
    /// Switches the window's key repeat.
    void setKeyRepeat(bool enabled) override;

    /// The window, or null while closed.
    sf::RenderWindow* getWindow() const;

    /// The SFML colour a qv::Color is drawn in (white for unknown values).
    static sf::Color toSfColor(Color color);

private:
    // The title without a status.
    std::string title;

    /// A cell in window pixels: where its background and glyph go.
    struct PixelCell {
        float x;
        float y;
        char ch;
        Color color;
    };

    /// A char's glyph quad relative to its cell's top-left corner.
    struct GlyphQuad {
        bool inked;
        sf::FloatRect area;
        sf::FloatRect texture;
    };

    /// What glyphs drew into one grid cell's area in the frame being drawn:
    /// the box around their quads, valid while stamp is the frame's.
    struct InkBox {
        unsigned stamp;
        float left;
        float top;
        float right;
        float bottom;
    };

    float cellWidth() const;
    float cellHeight() const;
    unsigned int glyphSize() const;
    /// Rasterises the glyph of every char and fills the glyph table, then
    /// draws them all once unseen: no frame pays for a first glyph, upload
    /// or draw.
    void prepareGlyphs();
    /// Appends the cell's background, when it can change a pixel, and glyph
    /// to the vertices.
    void addCellVertices(const PixelCell& cell);
    /// The first and last grid columns and rows a rectangle in window
    /// pixels touches, clamped to the grid.
    struct CellSpan {
        int firstColumn;
        int lastColumn;
        int firstRow;
        int lastRow;
    };
    CellSpan cellsUnder(float left, float top, float right, float bottom) const;
    /// Whether ink drawn earlier in the frame lies inside the rectangle.
    bool coversInk(const sf::FloatRect& area) const;
    /// Notes a glyph quad drawn in the frame.
    void addInk(const sf::FloatRect& area);
    /// Appends two triangles covering the rectangle, coloured and textured.
    void addQuad(sf::FloatRect area, sf::FloatRect texture, sf::Color color);
    /// Records why open() failed and returns -1.
    int fail(std::string why);

    sf::Font font;
    std::unique_ptr<sf::RenderWindow> window;
    int horizontalPixels;
    int verticalPixels;
    int horizontalChars;
    int verticalChars;
    sf::Color backgroundColor;

    std::string failure;

    // The cells of the last frame shown.
    std::vector<ScreenCell> previous;
    // Whether the window shows the previous frame's cells, and how many of
    // this frame's are already on its surface.
    bool windowShowsPrevious;
    std::size_t flushed;
    long long rasterisedTotal;
    int unchangedFrames;
    // Scratch vertices, kept to avoid reallocating every frame.
    std::vector<sf::Vertex> vertices;
    // Indexed by the char's byte value.
    GlyphQuad glyphs[256];
    // One per grid cell; a new frame makes them all stale at once.
    std::vector<InkBox> ink;
    unsigned inkStamp;
};

} // namespace qv

#endif
