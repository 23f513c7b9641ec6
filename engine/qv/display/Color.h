#ifndef QV_DISPLAY_COLOR_H
#define QV_DISPLAY_COLOR_H

namespace qv {

/// The eight colours a character can be drawn in. Any other value draws white.
enum Color : int {
    BLACK = 0,
    RED,
    GREEN,
    YELLOW,
    BLUE,
    MAGENTA,
    CYAN,
    WHITE,
};

/// How a string is placed about its position.
enum Justification : int {
    LEFT = 0,
    CENTER,
    RIGHT,
};

} // namespace qv

#endif
