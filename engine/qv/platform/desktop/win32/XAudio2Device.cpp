#include "qv/platform/desktop/win32/XAudio2Device.h"

#include <windows.h>

#include <mmdeviceapi.h>
#include <objbase.h>
#include <xaudio2.h>

namespace {

// Whether the system has an audio output to play on. Asked before XAudio2
// is: some of its implementations fault instead of failing without one.
bool hasOutputEndpoint() {
    IMMDeviceEnumerator* devices = nullptr;
    if (FAILED(CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_ALL,
                                __uuidof(IMMDeviceEnumerator),
                                reinterpret_cast<void**>(&devices)))) {
        return false;
    }
    IMMDevice* output = nullptr;
    const bool found = SUCCEEDED(devices->GetDefaultAudioEndpoint(eRender, eConsole, &output));
    if (output != nullptr) {
        output->Release();
    }
    devices->Release();
    return found;
}

} // namespace

namespace qv {

XAudio2Device::XAudio2Device()
    : library(nullptr), engine(nullptr), output(nullptr), tried(false), comStarted(false) {}

XAudio2Device::~XAudio2Device() {
    if (output != nullptr) {
        output->DestroyVoice();
    }
    if (engine != nullptr) {
        engine->Release();
    }
    // The library stays loaded: the engine's threads may still be winding
    // down inside it.
    if (comStarted) {
        CoUninitialize();
    }
}

void XAudio2Device::keepClosed() {
    tried = true;
}

bool XAudio2Device::open() {
    if (tried) {
        return output != nullptr;
    }
    tried = true;
    comStarted = SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    if (!hasOutputEndpoint()) {
        return false;
    }
    // Looked up at run time: a system without XAudio2 2.9 (before Windows
    // 10) then plays silent instead of refusing to start.
    library = LoadLibraryW(L"xaudio2_9.dll");
    if (library == nullptr) {
        return false;
    }
    using Create = HRESULT(WINAPI*)(IXAudio2**, UINT32, XAUDIO2_PROCESSOR);
    const auto create =
        reinterpret_cast<Create>(reinterpret_cast<void*>(GetProcAddress(library, "XAudio2Create")));
    if (create == nullptr || FAILED(create(&engine, 0, XAUDIO2_DEFAULT_PROCESSOR))) {
        engine = nullptr;
        return false;
    }
    if (FAILED(engine->CreateMasteringVoice(&output))) {
        output = nullptr;
        return false;
    }
    return true;
}

IXAudio2* XAudio2Device::getEngine() const {
    return output != nullptr ? engine : nullptr;
}

} // namespace qv
