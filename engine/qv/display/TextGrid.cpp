#include "qv/display/TextGrid.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace qv {

TextGrid::TextGrid(int columnCount, int rowCount)
    : columns(columnCount), rows(rowCount),
      chars(static_cast<std::size_t>(columnCount * rowCount), ' '),
      colors(static_cast<std::size_t>(columnCount * rowCount), static_cast<unsigned char>(WHITE)) {}

void TextGrid::clear() {
    std::fill(chars.begin(), chars.end(), ' ');
    std::fill(colors.begin(), colors.end(), static_cast<unsigned char>(WHITE));
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
    return static_cast<Color>(colors[static_cast<std::size_t>(row * columns + column)]);
}

void TextGrid::putRow(int column, int row, const char* text, int count, Color color) {
    // Wide enough that no column or count can overflow the clipping.
    const long long first = std::max(0LL, static_cast<long long>(column));
    const long long end = std::min(static_cast<long long>(columns),
                                   static_cast<long long>(column) + std::max(count, 0));
    if (row < 0 || row >= rows || first >= end) {
        return;
    }
    const std::size_t cell = static_cast<std::size_t>(row * columns + first);
    const std::size_t shown = static_cast<std::size_t>(end - first);
    std::memcpy(&chars[cell], text + (first - column), shown);
    std::memset(&colors[cell], storedColor(color), shown);
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
