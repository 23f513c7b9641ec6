#ifndef QV_PLATFORM_WEB_CANVASSCREEN_H
#define QV_PLATFORM_WEB_CANVASSCREEN_H

#include "qv/display/Screen.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qv {

/// The page's screen: each frame's cells go to the page's script
/// (qv-page.js), which draws them on its canvas in the window's font,
/// colours and cell places.
class CanvasScreen : public Screen {
public:
    /// Titles the page; -1 when the page has no qv-page.js to draw with.
    int open(const std::string& title, int columns, int rows, int width, int height) override;
    /// Stops drawing; the canvas keeps the last frame.
    void close() override;
    /// Between open() and close().
    bool isOpen() const override;
    /// Why the last open() failed, or empty.
    const std::string& getFailure() const override;
    /// Retitles the page.
    void setTitle(const std::string& title) override;

    /// Puts the status on the line under the canvas.
    bool showStatus(const std::string& text) override;
    /// Hands the frame's cells to the page, which repaints the whole canvas.
    void show(const std::vector<ScreenCell>& cells, const TextGrid& grid) override;
    /// Cells handed to the page since the screen was made.
    long long getRasterisedCells() const override;
    /// The keys and mouse the page catches on its canvas.
    std::unique_ptr<InputSource> makeInput() override;

private:
    // The layout the page reads: two floats, then two 32-bit ints.
    struct PageCell {
        float column;
        float row;
        std::int32_t ch;
        std::int32_t color;
    };

    bool opened = false;
    std::string failure;
    std::vector<PageCell> packed;
    long long rasterised = 0;
};

} // namespace qv

#endif
