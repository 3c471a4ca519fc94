#include "platform/activewindow.h"

#include <QGuiApplication>
#include <QRegularExpression>
#include <QWidget>

#include <X11/Xlib.h>

unsigned long activationTime(const QString &activationToken) {
    static const QRegularExpression time(QStringLiteral("_TIME(\\d+)$"));
    const QRegularExpressionMatch match = time.match(activationToken);
    return match.hasMatch() ? match.captured(1).toULong() : 0;
}

bool requestActiveWindow(QWidget *window, const QString &activationToken) {
    if (!window || !qGuiApp || QGuiApplication::platformName() != QLatin1String("xcb"))
        return false;
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    Display *display = x11 ? x11->display() : nullptr;
    if (!display)
        return false;
    constexpr long sourcePager = 2;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = static_cast<Window>(window->winId());
    event.xclient.message_type = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = sourcePager;
    event.xclient.data.l[1] = static_cast<long>(activationTime(activationToken));
    XSendEvent(display, DefaultRootWindow(display), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XFlush(display);
    return true;
}
