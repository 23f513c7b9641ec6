#ifndef QV_REPLAY_REPLAYINPUT_H
#define QV_REPLAY_REPLAYINPUT_H

#include "qv/display/InputSource.h"
#include "qv/replay/ReplayRecord.h"

namespace qv {

/// Events from the replay being played. The player's own keys and mouse are
/// ignored; closing the window ends the replay after the frame.
class ReplayInput : public InputSource {
public:
    /// The replay's events of the current frame.
    void collect(std::vector<InputEvent>& events) override;

private:
    // Reused every frame, so replaying allocates nothing.
    std::vector<ReplayRecord> records;
};

} // namespace qv

#endif
