#include "qv/display/TextGrid.h"

#include <algorithm>
#include <utility>

namespace qv {

TextGrid::TextGrid(int columnCount, int rowCount)
    : columns(columnCount), rows(rowCount),
      chars(static_cast<std::size_t>(columnCount * rowCount), ' '),
      colors(static_cast<std::size_t>(columnCount * rowCount), WHITE) {}

void TextGrid::clear() {
    std::fill(chars.begin(), chars.end(), ' ');
    std::fill(colors.begin(), colors.end(), WHITE);
}

char TextGrid::charAt(int column, int row) const {
    if (column < 0 || row < 0 || column >= columns || row >= rows) {
        return ' ';
    }
    return chars[static_cast<std::size_t>(row * columns + column)];
}

Color TextGrid::colorAt(int column, int row) const {
    if (column < 0 || row < 0 || column >= columns || row >= rows) {
        return WHITE;
    }
    return colors[static_cast<std::size_t>(row * columns + column)];
}

std::string TextGrid::rowText(int row) const {
    std::string text;
    for (int column = 0; column < columns; ++column) {
        const char ch = charAt(column, row);
        text += static_cast<unsigned char>(ch) < 32 || ch == 127 ? ' ' : ch;
    }
    return text;
}

std::string TextGrid::toText() const {
    std::string text;
    for (int row = 0; row < rows; ++row) {
        text += rowText(row) + '\n';
    }
    return text;
}

int TextGrid::getColumns() const {
    return columns;
}

int TextGrid::getRows() const {
    return rows;
}

void TextGrid::swap(TextGrid& other) {
    std::swap(columns, other.columns);
    std::swap(rows, other.rows);
    chars.swap(other.chars);
    colors.swap(other.colors);
}

} // namespace qv
