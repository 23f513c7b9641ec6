#ifndef QV_APP_REPLAYCURSOR_H
#define QV_APP_REPLAYCURSOR_H

#include <functional>
#include <string>

namespace qv {

/// Where a replay being watched stands, and how it gets anywhere else: it
/// runs the replay's frames forward, shown or unseen, and seeks to any
/// frame. Seeking back plays the game again from its start, unseen and
/// unheard: the engine cannot copy a game's objects, but it can empty its
/// world and run the recorded input again at tens of thousands of frames a
/// second. Every frame a seek passes is checked against the recording as
/// any replayed frame is, so a game that keeps state where the engine
/// cannot reset it is caught, and seeking back is then refused.
class ReplayCursor {
public:
    /// For the replay the session plays, whose game setup (re)makes.
    explicit ReplayCursor(std::function<int()> setup);

    /// The frame shown last, counted from 0; -1 before the first.
    int getFrame() const;

    /// The replay's last frame.
    int getLastFrame() const;

    /// Whether the game ended after the frame shown (the replay's last
    /// frame, or the game ending itself): no frame follows. The game-over
    /// flag is left clear meanwhile, so that a closed window still shows.
    bool atEnd() const;

    /// Runs the next frame, shown or not. False when none could run.
    bool step(bool shown);

    /// Runs frames up to target (clamped to the replay's frames), unseen
    /// but the last; back means from the start. 0 when it got there; -1
    /// when it could not, with getProblem() saying why.
    int seek(int target);

    /// False once a seek back differed where the first pass matched.
    bool canSeekBack() const;

    /// Why the last seek failed, or empty.
    const std::string& getProblem() const;

private:
    /// Empties the world and sets the game up again, at frame -1.
    int restart();

    std::function<int()> setup;
    int frame;
    bool ended;
    // The furthest frame reached with every check passed.
    int cleanUpTo;
    bool seekBack;
    std::string problem;
};

} // namespace qv

#endif
