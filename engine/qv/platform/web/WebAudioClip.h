#ifndef QV_PLATFORM_WEB_WEBAUDIOCLIP_H
#define QV_PLATFORM_WEB_WEBAUDIOCLIP_H

#include "qv/resources/AudioClip.h"

namespace qv {

/// A sound or piece of music held by the page's script, under a number the
/// page gave it when its file was loaded.
class WebAudioClip : public AudioClip {
public:
    /// Hands the file's bytes to the page to decode; false when the file
    /// cannot be read.
    bool load(const std::string& filename) override;
    /// Plays from the start, or goes on if already playing.
    void play() override;
    /// Stops and rewinds.
    void stop() override;
    /// Whether playing starts over at the end.
    void setLoop(bool loop) override;

private:
    int id = -1;
    bool looping = false;
};

} // namespace qv

#endif
