#include "qv/platform/desktop/win32/XAudio2Device.h"

#include <windows.h>

#include <objbase.h>
#include <xaudio2.h>

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
