#ifndef QV_RESOURCES_AUDIOCLIP_H
#define QV_RESOURCES_AUDIOCLIP_H

#include <string>

namespace qv {

/// One sound or piece of music on the machine's audio output, as the
/// platform plays it.
class AudioClip {
public:
    virtual ~AudioClip();

    /// Reads the file (decoded into memory, or opened for streaming); false
    /// when it cannot be read. A clip may load again, staying the same clip.
    virtual bool load(const std::string& filename) = 0;
    /// Plays from the start, or goes on if already playing.
    virtual void play() = 0;
    /// Stops and rewinds.
    virtual void stop() = 0;
    /// Whether playing starts over at the end.
    virtual void setLoop(bool loop) = 0;
};

} // namespace qv

#endif
