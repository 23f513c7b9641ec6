#ifndef QV_DISPLAY_TEXTGRID_H
#define QV_DISPLAY_TEXTGRID_H

#include "qv/display/Color.h"

#include <string>
#include <vector>

namespace qv {

/// A frame as characters and colours, one per cell, the last one drawn to a
/// cell winning: what a screen without a window shows, readable as text.
class TextGrid {
public:
    /// An all-blank grid (spaces in white).
    TextGrid(int columns, int rows);

    /// Blanks every cell.
    void clear();

    /// Sets one cell; cells outside the grid are ignored.
    // Inline: every character drawn goes through it.
    void put(int column, int row, char ch, Color color) {
        if (column < 0 || row < 0 || column >= columns || row >= rows) {
            return;
        }
        const std::size_t cell = static_cast<std::size_t>(row * columns + column);
        chars[cell] = ch;
        colors[cell] = storedColor(color);
    }

    /// Sets count cells of one row from column on to the characters of text,
    /// all in one colour; the part outside the grid is ignored. The same as
    /// put() for each, at the cost of one copy.
    void putRow(int column, int row, const char* text, int count, Color color);

    /// A cell's character (a space outside the grid).
    char charAt(int column, int row) const;

    /// A cell's colour (WHITE outside the grid, and where a value other than
    /// the eight colours was put, since that draws white).
    Color colorAt(int column, int row) const;

    /// One row as text, control characters shown as spaces.
    std::string rowText(int row) const;

    /// Every row, each ending in a line break.
    std::string toText() const;

    /// Columns in the grid.
    int getColumns() const;
    /// Rows in the grid.
    int getRows() const;

    /// Exchanges the cells with another grid of any size.
    void swap(TextGrid& other);

private:
    int columns;
    int rows;
    std::vector<char> chars;
    // A byte a cell: blanking a frame is two byte fills.
    std::vector<unsigned char> colors;

    static unsigned char storedColor(Color color) {
        return static_cast<unsigned char>(color >= BLACK && color <= WHITE ? color : WHITE);
    }
};

} // namespace qv

#endif
