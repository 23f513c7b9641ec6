#ifndef QV_PLATFORM_DESKTOP_WIN32_XAUDIO2DEVICE_H
#define QV_PLATFORM_DESKTOP_WIN32_XAUDIO2DEVICE_H

struct IXAudio2;
struct IXAudio2MasteringVoice;
struct HINSTANCE__;

namespace qv {

/// The system's XAudio2 engine and its output voice, opened on first need.
/// Clips share it, so it outlives the last voice made from it.
class XAudio2Device {
public:
    XAudio2Device();
    /// Closes the output voice and the engine.
    ~XAudio2Device();

    XAudio2Device(const XAudio2Device&) = delete;
    XAudio2Device& operator=(const XAudio2Device&) = delete;

    /// From now on the device never opens: nothing plays, nothing is asked of
    /// the system.
    void keepClosed();
    /// Opens the engine and its output voice the first time; whether both
    /// opened (false without XAudio2 or without an audio device).
    bool open();
    /// The engine, or null while it is not open.
    IXAudio2* getEngine() const;

private:
    HINSTANCE__* library;
    IXAudio2* engine;
    IXAudio2MasteringVoice* output;
    bool tried;
    bool comStarted;
};

} // namespace qv

#endif
