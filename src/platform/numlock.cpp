#include "platform/numlock.h"

#include <QGuiApplication>
#include <QLibrary>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace {
// The two XTest functions, looked up when the light first blinks: most runs never ring, and the
// library (with libXext behind it) would otherwise be mapped at every start.
struct XTestApi {
    decltype(&XTestQueryExtension) queryExtension = nullptr;
    decltype(&XTestFakeKeyEvent) fakeKeyEvent = nullptr;
};

const XTestApi &xtest() {
    // Loaded once per process and never unloaded.
    static const XTestApi api = [] {
        QLibrary library(QStringLiteral("Xtst"), 6);
        XTestApi loaded;
        if (!library.load())
            return loaded;
        loaded.queryExtension = reinterpret_cast<decltype(loaded.queryExtension)>(
            library.resolve("XTestQueryExtension"));
        loaded.fakeKeyEvent =
            reinterpret_cast<decltype(loaded.fakeKeyEvent)>(library.resolve("XTestFakeKeyEvent"));
        if (!loaded.fakeKeyEvent)
            loaded.queryExtension = nullptr;
        return loaded;
    }();
    return api;
}
} // namespace

bool pressNumLock(Display *display, int presses) {
    if (!display || presses <= 0)
        return false;
    const XTestApi &api = xtest();
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (!api.queryExtension || !api.queryExtension(display, &eventBase, &errorBase, &major, &minor))
        return false;
    const KeyCode key = XKeysymToKeycode(display, XK_Num_Lock);
    if (key == 0)
        return false;
    for (int i = 0; i < presses; ++i) {
        api.fakeKeyEvent(display, key, True, CurrentTime);
        api.fakeKeyEvent(display, key, False, CurrentTime);
    }
    XFlush(display);
    return true;
}

void pressNumLockOnDesktop() {
    // The offscreen plugin may hold an X display of its own for GL; its keyboard is not ours.
    if (!qGuiApp || QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    if (auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>())
        pressNumLock(x11->display(), 1);
}
