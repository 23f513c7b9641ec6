#ifndef QV_RESOURCES_AUDIOOUTPUT_H
#define QV_RESOURCES_AUDIOOUTPUT_H

#include "qv/resources/AudioClip.h"

#include <memory>

namespace qv {

/// The machine's audio output: makes the clips sounds and music play
/// through, and says whether anything can be heard.
class AudioOutput {
public:
    virtual ~AudioOutput();

    /// A clip for a short sound, decoded into memory when loaded.
    virtual std::unique_ptr<AudioClip> makeSound() = 0;
    /// A clip for music, streamed from its file.
    virtual std::unique_ptr<AudioClip> makeMusic() = 0;
    /// Whether there is a device to play on.
    virtual bool hasDevice() = 0;
};

/// The platform's audio output: each platform's sources define it.
std::unique_ptr<AudioOutput> makeDefaultAudioOutput();

} // namespace qv

#endif
