// Windows' clock, sleep, timer resolution and display, for the desktop
// platform's SFML window.
#include "qv/core/Platform.h"
#include "qv/platform/desktop/DisplayProbe.h"
#include "qv/platform/desktop/HeldInput.h"

#include <windows.h>

#include <timeapi.h>

namespace qv {
namespace platform {

namespace {

// Windows 10 1803 and later; older systems refuse it and get a plain timer.
constexpr DWORD HIGH_RESOLUTION_TIMER = 0x00000002;

std::int64_t counterFrequency() {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return frequency.QuadPart;
}

// One timer for the thread that runs the frame loop, made on its first sleep.
HANDLE sleepTimer() {
    thread_local HANDLE timer = [] {
        HANDLE made =
            CreateWaitableTimerExW(nullptr, nullptr, HIGH_RESOLUTION_TIMER, TIMER_ALL_ACCESS);
        return made != nullptr ? made
                               : CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
    }();
    return timer;
}

} // namespace

std::int64_t monotonicMicros() {
    static const std::int64_t frequency = counterFrequency();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    // Whole seconds and the rest apart, so that the product never overflows.
    const std::int64_t seconds = now.QuadPart / frequency;
    const std::int64_t rest = now.QuadPart % frequency;
    return seconds * 1000000 + rest * 1000000 / frequency;
}

void sleepUntilMicros(std::int64_t deadline) {
    const std::int64_t left = deadline - monotonicMicros();
    if (left <= 0) {
        return;
    }
    HANDLE timer = sleepTimer();
    LARGE_INTEGER due;
    // Negative: relative, in units of 100 ns.
    due.QuadPart = -left * 10;
    if (timer != nullptr && SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE)) {
        WaitForSingleObject(timer, INFINITE);
    } else {
        Sleep(static_cast<DWORD>((left + 999) / 1000));
    }
}

void raiseTimerResolution() {
    timeBeginPeriod(1);
}

void restoreTimerResolution() {
    timeEndPeriod(1);
}

} // namespace platform

std::unique_ptr<DisplayProbe> reachDisplay() {
    // Drawn at the display's own pixels: Windows would otherwise stretch a
    // window that does not say it knows about scaling, and blur it.
    using SetContext = BOOL(WINAPI*)(HANDLE);
    const auto setContext = reinterpret_cast<SetContext>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetProcessDpiAwarenessContext")));
    if (setContext == nullptr || !setContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2)) {
        SetProcessDPIAware();
    }
    // Every Windows session has a desktop to open the window on.
    return std::make_unique<DisplayProbe>();
}

std::unique_ptr<HeldInput> makeHeldInput() {
    // SFML reads Windows' key and button state locally, without waiting on
    // anything: asking it about each key costs nothing.
    return nullptr;
}

} // namespace qv
