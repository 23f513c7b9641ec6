#ifndef QV_DISPLAY_SCREEN_H
#define QV_DISPLAY_SCREEN_H

#include "qv/display/Color.h"
#include "qv/display/InputSource.h"
#include "qv/display/TextGrid.h"

#include <memory>
#include <string>
#include <vector>

namespace qv {

/// One drawCh() call of a frame, in cells from the view's corner: column and
/// row stay fractional, since a sprite may sit between cells.
struct ScreenCell {
    /// Columns right of the view's left edge.
    float column;
    /// Rows below the view's top edge.
    float row;
    /// The character drawn.
    char ch;
    /// Its colour.
    Color color;
    /// Same place, character and colour.
    bool operator==(const ScreenCell& other) const {
        return column == other.column && row == other.row && ch == other.ch && color == other.color;
    }
};

/// Where the display manager's frames become visible: a window, a terminal,
/// a page. The display manager hands it every frame; without a screen it
/// only keeps the text grid.
class Screen {
public:
    virtual ~Screen();

    /// Opens a surface of columns x rows cells, width x height pixels where
    /// pixels mean anything, titled title. 0 on success; -1 with
    /// getFailure() saying why. The screen may stay open after a failure
    /// (isOpen() tells), as a window made before its font failed does.
    virtual int open(const std::string& title, int columns, int rows, int width, int height) = 0;

    /// Closes the surface; open() may follow.
    virtual void close() = 0;

    /// Between an open() that made the surface and close().
    virtual bool isOpen() const = 0;

    /// One line saying why the last open() failed, or empty.
    virtual const std::string& getFailure() const = 0;

    /// Retitles the open surface.
    virtual void setTitle(const std::string& title) = 0;

    /// Puts the frame's cells drawn so far onto the surface, in drawing
    /// order, so that it can be read back before the frame is shown. cells
    /// grows between calls within a frame; those already put are skipped.
    virtual void flush(const std::vector<ScreenCell>& cells);

    /// Shows a finished frame: its cells in drawing order (later ones over
    /// earlier ones) and the same frame as a text grid, then readies the
    /// surface for the next.
    virtual void show(const std::vector<ScreenCell>& cells, const TextGrid& grid) = 0;

    /// Shows a line of status outside the grid, where the screen has room
    /// for it; false when it has none (this base).
    virtual bool showStatus(const std::string& text);

    /// Cells rasterised since the screen was made; 0 for screens that draw
    /// no pixels.
    virtual long long getRasterisedCells() const;

    /// The keys and mouse of the open surface as an input source, or null
    /// for a screen that takes no input.
    virtual std::unique_ptr<InputSource> makeInput();

    /// Whether a key held down keeps repeating its key-pressed events, on
    /// screens whose input has them; the others ignore it.
    virtual void setKeyRepeat(bool enabled);
};

/// The screen a display that is not headless opens when none was set: each
/// platform's sources define it (a desktop window, a page's canvas).
std::unique_ptr<Screen> makeDefaultScreen();

} // namespace qv

#endif
