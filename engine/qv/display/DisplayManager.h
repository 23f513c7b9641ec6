#ifndef QV_DISPLAY_DISPLAYMANAGER_H
#define QV_DISPLAY_DISPLAYMANAGER_H

#include "qv/core/Manager.h"
#include "qv/display/Color.h"
#include "qv/display/Screen.h"
#include "qv/display/TextGrid.h"
#include "qv/world/Vector.h"

#include <memory>
#include <string>
#include <vector>

namespace sf {
class Color;
class RenderWindow;
} // namespace sf

namespace qv {

/// Shows the world as an 80 x 24 grid of coloured characters, 1024 x 768
/// pixels where there are pixels. Everything visible goes through drawCh(),
/// which only records the cell: the frame goes to the screen when it is
/// shown, every cell also to a text grid of the frame. A headless display has
/// no screen and only that grid.
class DisplayManager : public Manager {
public:
    /// The one display manager, made on first use.
    static DisplayManager& getInstance();

    ~DisplayManager() override;

    /// Opens the screen, the platform's default one unless setScreen() chose
    /// another (the desktop's window loads the font "qv-font.ttf"). 0 on
    /// success (also when the screen is already open); -1 when it cannot open
    /// (the screen then stays open if it got that far, and the manager is not
    /// started); getFailure() says why.
    int startUp() override;

    /// The screen startUp() opens from now on; the open one, if any, is closed.
    void setScreen(std::unique_ptr<Screen> newScreen);

    /// Whether startUp() opens no screen (set before it): drawing then goes
    /// only to the text grid.
    void setHeadless(bool isHeadless);
    /// Whether this display is headless.
    bool isHeadless() const;

    /// How many of the screen's pixels a window pixel takes each way (1 to
    /// 4, 1 unless set; set before startUp()): the window is that many times
    /// 1024 x 768 and its glyphs are drawn that many times larger, while
    /// the game still sees 1024 x 768 pixels, mouse positions included.
    void setScale(int newScale);
    /// The scale the screen opens with.
    int getScale() const;

    /// Closes the screen.
    void shutDown() override;

    /// Draws one character cell at a world position: a black background
    /// rectangle, then the glyph in color, over whatever earlier cells drew
    /// there. The cell under the character's left edge takes it in the text
    /// grid. -1 when there is no open screen, unless headless.
    int drawCh(Vector position, char ch, Color color);

    /// Draws text on one row, placed about position by justification.
    int drawString(Vector position, const std::string& text, Justification justification,
                   Color color);

    /// Draws a block of characters row by row, width to a row, centred on
    /// position as a sprite frame is: the one at column x, row y goes to
    /// position + (x - width / 2, y - height / 2). The same as a drawCh()
    /// for each, in that order, at a fraction of the cost.
    int drawBlock(Vector position, int width, int height, const char* cells, Color color);

    /// Puts the cells recorded so far onto the screen's surface.
    /// showFrame() does this itself; call it to read the surface back.
    void flush();

    /// Shows the frame drawn since the last call, then clears for the next.
    void showFrame();

    /// Hidden: frames shown update the text grid only, nothing reaches the
    /// screen (a replay seeking runs frames nobody watches).
    void setHidden(bool isHidden);

    /// Shows the last frame shown again, with the overlay as it is now.
    void reshow();

    /// Text drawn over the grid's last row whenever a frame reaches the
    /// screen, until set empty; getGrid() does not show it.
    void setOverlay(const std::string& text);

    /// Shows a line of status outside the grid where the screen has room
    /// for one (a window's title, a terminal's row under the grid). False
    /// when it has none, or without a screen.
    bool showStatus(const std::string& text);

    /// The open screen's own input (its window's keys and mouse), or null
    /// without an open screen or when it takes none.
    std::unique_ptr<InputSource> makeScreenInput();

    /// Whether a key held down repeats its presses on the open screen (a
    /// window); the input manager keeps it off while it runs.
    void setKeyRepeat(bool enabled);

    /// The text grid of the last frame shown.
    const TextGrid& getGrid() const;

    /// The world cell under a window pixel, such as a mouse event's
    /// position: whole column and row, the view's corner added.
    Vector pixelsToCells(Vector pixels) const;

    /// Columns of the grid: 80.
    int getHorizontalChars() const;
    /// Rows of the grid: 24.
    int getVerticalChars() const;
    /// Window width in pixels: 1024.
    int getHorizontalPixels() const;
    /// Window height in pixels: 768.
    int getVerticalPixels() const;

    /// The desktop window, or null before startUp(), after shutDown() and on
    /// other screens. Desktop build only.
    sf::RenderWindow* getWindow() const;

    /// The window's title: "Quorvel" unless set. Set before startUp() it is
    /// the new screen's title; set later it retitles the open screen.
    void setTitle(const std::string& newTitle);
    /// The window's title.
    const std::string& getTitle() const;

    /// One line saying why the last startUp() failed, or empty.
    const std::string& getFailure() const;

    /// Cells the screen rasterised; a frame that repeats the previous one
    /// adds none.
    long long getRasterisedCells() const;

    /// The SFML colour a qv::Color is drawn in (white for unknown values).
    /// Desktop build only.
    static sf::Color toSfColor(Color color);

private:
    DisplayManager();

    std::unique_ptr<Screen> screen;
    // Whether the screen is open: cells are recorded only then.
    bool screenOpen;
    int horizontalPixels;
    int verticalPixels;
    int horizontalChars;
    int verticalChars;
    std::string title;

    bool headless;
    int scale;
    // The frame being drawn, and the last one shown.
    TextGrid drawingGrid;
    TextGrid shownGrid;

    std::string failure;

    // The cells of the frame being drawn, and of the last one shown.
    std::vector<ScreenCell> frame;
    std::vector<ScreenCell> shownCells;
    bool hidden;
    std::string overlay;
    /// Hands the last frame, overlaid, to the screen.
    void present();
    /// drawCh() with the view's corner already asked for.
    int drawChFrom(Vector corner, Vector position, char ch, Color color);
    /// Whether cells from start on, with the view at corner, can be put on
    /// the text grid a row at a time, landing where one by one they would.
    bool drawsOnGridOnly(Vector start, Vector corner, int width, int height) const;
};

} // namespace qv

#endif
