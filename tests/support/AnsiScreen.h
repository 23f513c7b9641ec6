#ifndef QV_TESTS_SUPPORT_ANSISCREEN_H
#define QV_TESTS_SUPPORT_ANSISCREEN_H

#include "qv/display/TextGrid.h"

#include <string>

namespace qvtest {

/// Plays terminal output onto a grid as a terminal shows it: cursor moves,
/// clearing, line breaks, the eight colours and RGB ones (default: white).
void applyAnsi(const std::string& bytes, qv::TextGrid& grid);

/// The grid as the golden replays store screens: rows of text, then rows
/// of colour digits.
std::string screenText(const qv::TextGrid& grid);

} // namespace qvtest

#endif
