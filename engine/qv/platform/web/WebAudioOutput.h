#ifndef QV_PLATFORM_WEB_WEBAUDIOOUTPUT_H
#define QV_PLATFORM_WEB_WEBAUDIOOUTPUT_H

#include "qv/resources/AudioOutput.h"

namespace qv {

/// The page's Web Audio: sounds and music alike are decoded whole by the
/// page's script and play once the player's first key or click has let the
/// page make sound.
class WebAudioOutput : public AudioOutput {
public:
    /// A clip decoded by the page.
    std::unique_ptr<AudioClip> makeSound() override;
    /// The same kind of clip: a page has no streaming to gain from.
    std::unique_ptr<AudioClip> makeMusic() override;
    /// Whether the page could make a Web Audio context.
    bool hasDevice() override;
};

} // namespace qv

#endif
