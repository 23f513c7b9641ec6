#ifndef QV_PLATFORM_DESKTOP_WIN32_XAUDIO2CLIP_H
#define QV_PLATFORM_DESKTOP_WIN32_XAUDIO2CLIP_H

#include "qv/resources/AudioClip.h"

#include <memory>
#include <string>
#include <vector>

struct IXAudio2SourceVoice;

namespace qv {

class XAudio2Device;

/// A sound or piece of music decoded into memory by libsndfile (WAV, FLAC,
/// Ogg Vorbis and the other formats it reads) and played by an XAudio2
/// voice of its own, made on the first play.
class XAudio2Clip : public AudioClip {
public:
    /// A clip that plays on device once it opens.
    explicit XAudio2Clip(std::shared_ptr<XAudio2Device> device);
    /// Stops and closes the voice.
    ~XAudio2Clip() override;

    XAudio2Clip(const XAudio2Clip&) = delete;
    XAudio2Clip& operator=(const XAudio2Clip&) = delete;

    /// Decodes the whole file into 16-bit samples; false when libsndfile
    /// cannot read it.
    bool load(const std::string& filename) override;
    /// Plays from the start, or goes on if already playing.
    void play() override;
    /// Stops and rewinds.
    void stop() override;
    /// Whether playing starts over at the end; turned off while playing, the
    /// clip plays to its end.
    void setLoop(bool loop) override;

private:
    bool isPlaying() const;

    std::shared_ptr<XAudio2Device> device;
    IXAudio2SourceVoice* voice;
    // The voice's format, which a load of another format replaces.
    int voiceChannels;
    int voiceRate;
    std::vector<short> samples;
    int channels;
    int rate;
    bool looping;
    // Between a play() that started the voice and the next stop().
    bool started;
};

} // namespace qv

#endif
