#include "FakeInput.h"

#include <X11/Xlib.h>
#include <dlfcn.h>

namespace qvbench {

struct FakeInput::Api {
    Display* (*openDisplay)(const char*);
    int (*closeDisplay)(Display*);
    int (*sync)(Display*, Bool);
    KeyCode (*keysymToKeycode)(Display*, KeySym);
    int (*warpPointer)(Display*, Window, Window, int, int, unsigned, unsigned, int, int);
    int (*setInputFocus)(Display*, Window, int, Time);
    XErrorHandler (*setErrorHandler)(XErrorHandler);
    Bool (*queryExtension)(Display*, int*, int*, int*, int*);
    int (*fakeKey)(Display*, unsigned, Bool, unsigned long);
    int (*fakeButton)(Display*, unsigned, Bool, unsigned long);
};

namespace {

template <typename F> bool find(void* library, const char* name, F& function) {
    function = reinterpret_cast<F>(dlsym(library, name));
    return function != nullptr;
}

int ignoreError(Display*, XErrorEvent*) {
    return 0;
}

} // namespace

FakeInput::~FakeInput() {
    if (display != nullptr) {
        releaseAll();
        api->closeDisplay(static_cast<Display*>(display));
    }
    delete api;
    // The libraries stay loaded: SFML shares libX11, and unloading libXtst
    // buys nothing at exit.
}

bool FakeInput::open(unsigned long window) {
    target = window;
    x11 = dlopen("libX11.so.6", RTLD_LAZY);
    xtst = dlopen("libXtst.so.6", RTLD_LAZY);
    if (x11 == nullptr || xtst == nullptr) {
        why = "cannot load libX11.so.6 and libXtst.so.6 (Debian: libx11-6, libxtst6)";
        return false;
    }
    api = new Api();
    const bool found = find(x11, "XOpenDisplay", api->openDisplay) &&
                       find(x11, "XCloseDisplay", api->closeDisplay) &&
                       find(x11, "XSync", api->sync) &&
                       find(x11, "XKeysymToKeycode", api->keysymToKeycode) &&
                       find(x11, "XWarpPointer", api->warpPointer) &&
                       find(x11, "XSetInputFocus", api->setInputFocus) &&
                       find(x11, "XSetErrorHandler", api->setErrorHandler) &&
                       find(xtst, "XTestQueryExtension", api->queryExtension) &&
                       find(xtst, "XTestFakeKeyEvent", api->fakeKey) &&
                       find(xtst, "XTestFakeButtonEvent", api->fakeButton);
    if (!found) {
        why = "libX11 or libXtst lacks a function it should have";
        return false;
    }
    Display* connection = api->openDisplay(nullptr);
    if (connection == nullptr) {
        why = "cannot connect to the X display (is DISPLAY set?)";
        return false;
    }
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    if (!api->queryExtension(connection, &eventBase, &errorBase, &major, &minor)) {
        api->closeDisplay(connection);
        why = "the X server has no XTest extension";
        return false;
    }
    display = connection;
    return true;
}

void FakeInput::focus(int x, int y) {
    Display* connection = static_cast<Display*>(display);
    api->warpPointer(connection, None, target, 0, 0, 0, 0, x, y);
    // A window not yet mapped refuses the focus with an error whose default
    // handler would end the program; the pointer over it is then enough,
    // since a server without a window manager lets the keyboard follow it.
    sync();
    const XErrorHandler previous = api->setErrorHandler(ignoreError);
    api->setInputFocus(connection, target, RevertToPointerRoot, CurrentTime);
    sync();
    api->setErrorHandler(previous);
}

void FakeInput::key(unsigned long keysym, bool down) {
    int index = -1;
    for (int i = 0; i < keysDownCount; ++i) {
        if (keysDown[i] == keysym) {
            index = i;
        }
    }
    if ((index >= 0) == down) {
        return;
    }
    if (down) {
        if (keysDownCount == 8) {
            return;
        }
        keysDown[keysDownCount++] = keysym;
        ++keyCount;
    } else {
        keysDown[index] = keysDown[--keysDownCount];
    }
    Display* connection = static_cast<Display*>(display);
    const KeyCode code = api->keysymToKeycode(connection, keysym);
    api->fakeKey(connection, code, down ? True : False, CurrentTime);
    sync();
}

void FakeInput::button(unsigned int number, bool down) {
    const unsigned int bit = 1u << number;
    if (((buttonsDown & bit) != 0) == down) {
        return;
    }
    buttonsDown ^= bit;
    buttonCount += down ? 1 : 0;
    api->fakeButton(static_cast<Display*>(display), number, down ? True : False, CurrentTime);
    sync();
}

void FakeInput::releaseAll() {
    while (keysDownCount > 0) {
        key(keysDown[keysDownCount - 1], false);
    }
    for (unsigned int number = 1; number <= 5; ++number) {
        button(number, false);
    }
}

void FakeInput::sync() {
    api->sync(static_cast<Display*>(display), False);
}

} // namespace qvbench
