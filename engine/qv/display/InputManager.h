#ifndef QV_DISPLAY_INPUTMANAGER_H
#define QV_DISPLAY_INPUTMANAGER_H

#include "qv/core/Manager.h"
#include "qv/display/InputEvent.h"
#include "qv/display/InputObserver.h"
#include "qv/display/InputSource.h"
#include "qv/display/Keyboard.h"
#include "qv/display/Mouse.h"

#include <memory>
#include <vector>

namespace qv {

/// Turns the run's input into keyboard and mouse events, handed to every
/// object the moment they are made. The input comes from one source, chosen
/// by whoever starts the run (a replay, a test); without one, from the
/// display's screen when it takes input (a window), else none.
class InputManager : public Manager {
public:
    /// The one input manager, made on first use.
    static InputManager& getInstance();

    /// Takes the display's screen's input, if it has any, and switches its
    /// key repeat off. -1 when the display manager is not started.
    int startUp() override;

    /// Lets go of the screen's input and switches its key repeat back on; a
    /// source that was set stays.
    void shutDown() override;

    /// Makes source the input of this and later runs, until replaced; null
    /// goes back to the screen's input (or none).
    void setSource(std::unique_ptr<InputSource> source);

    /// Tells observer of every frame and event from now on (null: nobody).
    /// The observer must outlive its installation.
    void setObserver(InputObserver* observer);

    /// One pass, once per frame: tells the observer the frame begins, then
    /// hands out the source's events (from a window: its queued events, then
    /// the first held key, then the first held mouse button), each shown to
    /// the observer first. Does nothing unless started. While a source is
    /// set the screen's input is not read here: whoever set it reads the
    /// screen with pollScreen() (a replay's viewer, between frames).
    void getInput();

    /// Appends what the screen's input has now (its keys and mouse, its
    /// window's close button answered) without handing it to anyone.
    void pollScreen(std::vector<InputEvent>& screenEvents);

    /// Once a frame has been shown, before the loop sleeps: the screen's
    /// input may ask ahead for the next frame. Does nothing unless started.
    void frameShown();

private:
    InputManager();

    std::unique_ptr<InputSource> source;
    // The screen's own input, from startUp() to shutDown().
    std::unique_ptr<InputSource> screenInput;
    InputObserver* observer = nullptr;
    // Reused every frame, so collecting input allocates nothing.
    std::vector<InputEvent> events;
};

} // namespace qv

#endif
