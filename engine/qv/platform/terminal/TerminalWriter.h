#ifndef QV_PLATFORM_TERMINAL_TERMINALWRITER_H
#define QV_PLATFORM_TERMINAL_TERMINALWRITER_H

#include "qv/display/TextGrid.h"

#include <string>

namespace qv {

/// Turns frames into the bytes that show them in a terminal: the first frame
/// and the first after a resize in full, later ones only the cells that
/// changed, each inside one synchronized-output block; an unchanged frame
/// writes nothing.
class TerminalWriter {
public:
    /// For grids of gridColumns x gridRows; trueColor: colours as the
    /// window's exact RGB, else as the eight ANSI colours.
    TerminalWriter(int gridColumns, int gridRows, bool trueColor);

    /// Whether a COLORTERM value (null when unset) promises 24-bit colour.
    static bool wantsTrueColor(const char* colorterm);

    /// The terminal's size, in cells. A change redraws everything.
    void resize(int columns, int rows);

    /// The grid's rows.
    int getRows() const;

    /// Whether the grid fits in the terminal.
    bool fits() const;

    /// Appends the bytes that bring the terminal from the last frame written
    /// to this one. When the grid does not fit, the terminal gets one line
    /// asking for a bigger one instead, once.
    void write(const TextGrid& grid, std::string& out);

private:
    /// Appends the colour change to a qv::Color.
    void setColor(int color, std::string& out);

    bool trueColor;
    int columns = 0;
    int rows = 0;
    bool full = true;
    bool askedForRoom = false;
    TextGrid shown;
};

} // namespace qv

#endif
