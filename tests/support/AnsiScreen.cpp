#include "support/AnsiScreen.h"

#include <vector>

namespace qvtest {

namespace {

std::vector<int> numbers(const std::string& text) {
    std::vector<int> values(1, 0);
    for (const char c : text) {
        if (c == ';' || c == ':') {
            values.push_back(0);
        } else if (c >= '0' && c <= '9') {
            values.back() = values.back() * 10 + (c - '0');
        }
    }
    return values;
}

qv::Color fromRgb(int r, int g, int b) {
    return static_cast<qv::Color>((r > 127 ? 1 : 0) | (g > 127 ? 2 : 0) | (b > 127 ? 4 : 0));
}

qv::Color withSgr(const std::vector<int>& values, qv::Color color) {
    for (std::size_t i = 0; i < values.size(); ++i) {
        const int value = values[i];
        if (value == 0 || value == 39) {
            color = qv::WHITE;
        } else if (value >= 30 && value <= 37) {
            color = static_cast<qv::Color>(value - 30);
        } else if ((value == 38 || value == 48) && i + 1 < values.size()) {
            const bool rgb = values[i + 1] == 2 && i + 4 < values.size();
            if (value == 38 && rgb) {
                color = fromRgb(values[i + 2], values[i + 3], values[i + 4]);
            }
            i += rgb ? 4 : 2;
        }
    }
    return color;
}

} // namespace

void applyAnsi(const std::string& bytes, qv::TextGrid& grid) {
    int column = 0;
    int row = 0;
    qv::Color color = qv::WHITE;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\x1b' && i + 1 < bytes.size() && bytes[i + 1] == '[') {
            std::size_t end = i + 2;
            while (end < bytes.size() && (bytes[end] < 0x40 || bytes[end] > 0x7e)) {
                ++end;
            }
            const std::string parameters = bytes.substr(i + 2, end - i - 2);
            const char final = end < bytes.size() ? bytes[end] : '\0';
            const std::vector<int> values = numbers(parameters);
            if (final == 'H') {
                row = values[0] > 0 ? values[0] - 1 : 0;
                column = values.size() > 1 && values[1] > 0 ? values[1] - 1 : 0;
            } else if (final == 'm') {
                color = withSgr(values, color);
            } else if (final == 'J' && values[0] == 2) {
                grid.clear();
            }
            i = end;
        } else if (c == '\n') {
            ++row;
            column = 0;
        } else if (c >= ' ' && c < 0x7f) {
            grid.put(column++, row, c, color);
        }
    }
}

std::string screenText(const qv::TextGrid& grid) {
    std::string screen = grid.toText();
    for (int row = 0; row < grid.getRows(); ++row) {
        for (int column = 0; column < grid.getColumns(); ++column) {
            screen += static_cast<char>('0' + grid.colorAt(column, row));
        }
        screen += '\n';
    }
    return screen;
}

} // namespace qvtest
