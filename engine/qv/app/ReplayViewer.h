#ifndef QV_APP_REPLAYVIEWER_H
#define QV_APP_REPLAYVIEWER_H

#include "qv/app/ReplayCursor.h"
#include "qv/display/Keyboard.h"

#include <cstdint>
#include <functional>
#include <string>

namespace qv {

/// Watching a replay like a film, in the window or the terminal: Space
/// pauses and resumes, '.' and ',' step a frame while paused, the arrows
/// seek 10 seconds, Home and End go to the first and the last frame, '['
/// and ']' halve and double the speed (1/4 to 16 times), Tab hands the game
/// to the player. The game's input still comes only from the file. A status
/// line (frame, time, speed, checks) stands in the window's title or the
/// terminal's row under the grid, else over the grid's last row for two
/// seconds after a key.
class ReplayViewer {
public:
    /// How the viewer opens.
    struct Options {
        /// Opens paused at this frame; -1 plays from the start.
        int frame = -1;
        /// Runs unseen to the first checkpoint that differs and pauses at
        /// the last one that matched.
        bool stopAtDifference = false;
        /// Where a take-over records the game (with the replay's records up
        /// to it); empty for no recording.
        std::string recordFile;
    };

    /// For the replay the session plays, set up by setup, which has run once.
    ReplayViewer(std::function<int()> setup, Options options);

    /// Runs the replay until it ends (played to its end, or its window
    /// closed), or, once taken over, until the game ends: begin(), then
    /// tick() every frame period.
    void run();

    /// Opens the replay: at its first frame, paused at the frame asked for,
    /// or at its first difference.
    void begin();

    /// One frame period: the screen's keys (a page's buttons among them),
    /// the frames the speed asks for (the last of them shown), the status.
    /// False once the replay or the game taken over is over.
    bool tick();

    /// Acts on one control key (other keys do nothing).
    void press(Keyboard::Key key);

    /// The status line as it stands.
    std::string status() const;

    /// "m:ss" for a number of frames at 30 a second.
    static std::string clockText(int frames);

private:
    /// Seeks, keeping the cursor's complaint for the status line.
    void seekTo(int target);
    void runToDifference();
    void takeOver();
    /// Shows the status where the screen has room, else over the grid.
    void showStatus(bool keyPressed);

    ReplayCursor cursor;
    Options options;
    bool paused;
    int speed;
    int credit;
    bool takenOver;
    int takeOverFrame;
    std::string difference;
    std::string problem;
    std::string shownStatus;
    bool roomOutside;
    std::string overlay;
    std::int64_t overlayUntil;
};

} // namespace qv

#endif
