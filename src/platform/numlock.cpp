#include "platform/numlock.h"

#include <QGuiApplication>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

bool pressNumLock(Display *display, int presses) {
    if (!display || presses <= 0)
        return false;
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(display, &eventBase, &errorBase, &major, &minor))
        return false;
    const KeyCode key = XKeysymToKeycode(display, XK_Num_Lock);
    if (key == 0)
        return false;
    for (int i = 0; i < presses; ++i) {
        XTestFakeKeyEvent(display, key, True, CurrentTime);
        XTestFakeKeyEvent(display, key, False, CurrentTime);
    }
    XFlush(display);
    return true;
}

void blinkNumLockOnDesktop() {
    // The offscreen plugin may hold an X display of its own for GL; its keyboard is not ours.
    if (!qGuiApp || QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    if (auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>())
        pressNumLock(x11->display(), 2);
}
