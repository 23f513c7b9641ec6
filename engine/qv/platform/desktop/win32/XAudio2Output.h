#ifndef QV_PLATFORM_DESKTOP_WIN32_XAUDIO2OUTPUT_H
#define QV_PLATFORM_DESKTOP_WIN32_XAUDIO2OUTPUT_H

#include "qv/resources/AudioOutput.h"

#include <memory>

namespace qv {

class XAudio2Device;

/// Sounds and music through Windows' XAudio2, which mixes them; files are
/// decoded by libsndfile.
class XAudio2Output : public AudioOutput {
public:
    /// Opens nothing yet: the device opens when first asked for.
    XAudio2Output();
    ~XAudio2Output() override;

    /// A clip decoded into memory.
    std::unique_ptr<AudioClip> makeSound() override;
    /// A clip decoded into memory as well: the game's music is short.
    std::unique_ptr<AudioClip> makeMusic() override;
    /// Opens the device the first time; whether it opened.
    bool hasDevice() override;

private:
    std::shared_ptr<XAudio2Device> device;
};

} // namespace qv

#endif
