#ifndef QV_DISPLAY_INPUTMANAGER_H
#define QV_DISPLAY_INPUTMANAGER_H

#include "qv/core/Manager.h"
#include "qv/display/InputSource.h"
#include "qv/display/Keyboard.h"
#include "qv/display/Mouse.h"
#include "qv/replay/ReplayRecord.h"

#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Mouse.hpp>

#include <memory>
#include <vector>

namespace qv {

/// Turns the run's input into keyboard and mouse events, handed to every
/// object the moment they are made. The input comes from one source per run:
/// a replay when one is being played, else the display's window, else none.
class InputManager : public Manager {
public:
    /// The one input manager, made on first use.
    static InputManager& getInstance();

    /// Switches key repeat off on the display's window and picks the input
    /// source. -1 when the display manager is not started.
    int startUp() override;

    /// Switches key repeat back on, if there is a window.
    void shutDown() override;

    /// One pass, once per frame: begins the replay session's frame, then
    /// hands out the source's events (from a window: its queued events, then
    /// the first held key, then the first held mouse button), each recorded
    /// when a recording is made. Does nothing unless started.
    void getInput();

    /// The engine's code for an SFML key; UNDEFINED for keys it does not know.
    static Keyboard::Key toEngineKey(sf::Keyboard::Key key);

    /// The engine's button for an SFML button; UNDEFINED for the extra ones.
    static Mouse::Button toEngineButton(sf::Mouse::Button button);

private:
    InputManager();

    std::unique_ptr<InputSource> source;
    // Reused every frame, so collecting input allocates nothing.
    std::vector<ReplayRecord> events;
};

} // namespace qv

#endif
