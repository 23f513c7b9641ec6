#include "qv/platform/terminal/TerminalWriter.h"

#include <cstring>

namespace qv {

namespace {

constexpr const char* BEGIN_FRAME = "\x1b[?2026h";
constexpr const char* END_FRAME = "\x1b[?2026l";

// The window's colours, so a 24-bit terminal shows exactly what it shows.
constexpr const char* TRUE_COLORS[] = {
    "0;0;0", "255;0;0", "0;255;0", "255;255;0", "0;0;255", "255;0;255", "0;255;255", "255;255;255",
};

int colorIndex(Color color) {
    return color >= BLACK && color <= WHITE ? static_cast<int>(color) : static_cast<int>(WHITE);
}

char shownCharacter(char ch) {
    return ch >= ' ' && ch < 0x7f ? ch : ' ';
}

void moveTo(int column, int row, std::string& out) {
    out += "\x1b[" + std::to_string(row + 1) + ";" + std::to_string(column + 1) + "H";
}

} // namespace

TerminalWriter::TerminalWriter(int gridColumns, int gridRows, bool trueColor)
    : trueColor(trueColor), shown(gridColumns, gridRows) {}

bool TerminalWriter::wantsTrueColor(const char* colorterm) {
    return colorterm != nullptr &&
           (std::strcmp(colorterm, "truecolor") == 0 || std::strcmp(colorterm, "24bit") == 0);
}

void TerminalWriter::resize(int newColumns, int newRows) {
    if (newColumns != columns || newRows != rows) {
        columns = newColumns;
        rows = newRows;
        full = true;
        askedForRoom = false;
    }
}

int TerminalWriter::getRows() const {
    return shown.getRows();
}

bool TerminalWriter::fits() const {
    return columns >= shown.getColumns() && rows >= shown.getRows();
}

void TerminalWriter::setColor(int color, std::string& out) {
    if (trueColor) {
        out += "\x1b[38;2;";
        out += TRUE_COLORS[color];
        out += "m";
    } else {
        out += "\x1b[3" + std::to_string(color) + "m";
    }
}

void TerminalWriter::write(const TextGrid& grid, std::string& out) {
    if (grid.getColumns() != shown.getColumns() || grid.getRows() != shown.getRows()) {
        shown = TextGrid(grid.getColumns(), grid.getRows());
        full = true;
    }
    if (!fits()) {
        if (!askedForRoom) {
            const std::string ask = "Make the terminal at least " +
                                    std::to_string(grid.getColumns()) + " x " +
                                    std::to_string(grid.getRows()) + " to play.";
            out += "\x1b[0m\x1b[2J\x1b[H";
            out += ask.substr(0, static_cast<std::size_t>(columns > 0 ? columns - 1 : 0));
            askedForRoom = true;
        }
        full = true;
        return;
    }
    const std::size_t before = out.size();
    out += BEGIN_FRAME;
    if (full) {
        out += "\x1b[0m\x1b[2J";
    }
    out += trueColor ? "\x1b[48;2;0;0;0m" : "\x1b[40m";
    const std::size_t header = out.size();
    int color = -1;
    int cursorColumn = -1;
    int cursorRow = -1;
    for (int row = 0; row < grid.getRows(); ++row) {
        for (int column = 0; column < grid.getColumns(); ++column) {
            const char ch = shownCharacter(grid.charAt(column, row));
            const int cellColor = colorIndex(grid.colorAt(column, row));
            if (!full && ch == shownCharacter(shown.charAt(column, row)) &&
                cellColor == colorIndex(shown.colorAt(column, row))) {
                continue;
            }
            if (column != cursorColumn || row != cursorRow) {
                moveTo(column, row, out);
            }
            if (cellColor != color) {
                setColor(cellColor, out);
                color = cellColor;
            }
            out += ch;
            shown.put(column, row, ch, static_cast<Color>(cellColor));
            cursorColumn = column + 1;
            cursorRow = row;
        }
    }
    if (out.size() == header) {
        out.resize(before);
        return;
    }
    out += END_FRAME;
    full = false;
}

} // namespace qv
