#include "qv/platform/desktop/win32/XAudio2Clip.h"

#include "qv/platform/desktop/win32/XAudio2Device.h"

#include <windows.h>

#include <sndfile.h>
#include <xaudio2.h>

#include <utility>

namespace qv {

namespace {

// Longer files are refused rather than filling the memory (ten minutes of
// CD-quality stereo).
constexpr sf_count_t MAX_SAMPLES = 10LL * 60 * 48000 * 2;

} // namespace

XAudio2Clip::XAudio2Clip(std::shared_ptr<XAudio2Device> device)
    : device(std::move(device)), voice(nullptr), voiceChannels(0), voiceRate(0), channels(0),
      rate(0), looping(false), started(false) {}

XAudio2Clip::~XAudio2Clip() {
    if (voice != nullptr) {
        voice->DestroyVoice();
    }
}

bool XAudio2Clip::load(const std::string& filename) {
    SF_INFO info{};
    SNDFILE* file = sf_open(filename.c_str(), SFM_READ, &info);
    if (file == nullptr) {
        return false;
    }
    const sf_count_t total = info.frames * info.channels;
    bool good = info.channels > 0 && info.channels <= 2 && info.samplerate > 0 && total > 0 &&
                total <= MAX_SAMPLES;
    std::vector<short> decoded;
    if (good) {
        decoded.resize(static_cast<std::size_t>(total));
        good = sf_readf_short(file, decoded.data(), info.frames) == info.frames;
    }
    sf_close(file);
    if (!good) {
        return false;
    }
    stop();
    samples = std::move(decoded);
    channels = info.channels;
    rate = info.samplerate;
    return true;
}

bool XAudio2Clip::isPlaying() const {
    // A stopped voice may still count its flushed buffers for a moment.
    if (voice == nullptr || !started) {
        return false;
    }
    XAUDIO2_VOICE_STATE state;
    voice->GetState(&state, XAUDIO2_VOICE_NOSAMPLESPLAYED);
    return state.BuffersQueued > 0;
}

void XAudio2Clip::play() {
    IXAudio2* engine = device->getEngine();
    if (engine == nullptr || samples.empty() || isPlaying()) {
        return;
    }
    if (voice != nullptr && (voiceChannels != channels || voiceRate != rate)) {
        voice->DestroyVoice();
        voice = nullptr;
    }
    if (voice == nullptr) {
        WAVEFORMATEX format{};
        format.wFormatTag = WAVE_FORMAT_PCM;
        format.nChannels = static_cast<WORD>(channels);
        format.nSamplesPerSec = static_cast<DWORD>(rate);
        format.wBitsPerSample = 16;
        format.nBlockAlign = static_cast<WORD>(channels * 2);
        format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
        if (FAILED(engine->CreateSourceVoice(&voice, &format))) {
            voice = nullptr;
            return;
        }
        voiceChannels = channels;
        voiceRate = rate;
    }
    XAUDIO2_BUFFER buffer{};
    buffer.Flags = XAUDIO2_END_OF_STREAM;
    buffer.AudioBytes = static_cast<UINT32>(samples.size() * sizeof(short));
    buffer.pAudioData = reinterpret_cast<const BYTE*>(samples.data());
    buffer.LoopCount = looping ? XAUDIO2_LOOP_INFINITE : 0;
    if (SUCCEEDED(voice->SubmitSourceBuffer(&buffer))) {
        started = SUCCEEDED(voice->Start());
    }
}

void XAudio2Clip::stop() {
    started = false;
    if (voice != nullptr) {
        voice->Stop();
        voice->FlushSourceBuffers();
    }
}

void XAudio2Clip::setLoop(bool loop) {
    if (looping && !loop && voice != nullptr) {
        voice->ExitLoop();
    }
    looping = loop;
}

} // namespace qv
