#include "platform/qpachoice.h"

QByteArray chooseQtPlatform(const QProcessEnvironment &env) {
    if (!env.value(QStringLiteral("QT_QPA_PLATFORM")).isEmpty())
        return {};
    const bool wayland = !env.value(QStringLiteral("WAYLAND_DISPLAY")).isEmpty() ||
                         env.value(QStringLiteral("XDG_SESSION_TYPE")) == QLatin1String("wayland");
    const bool x11 = !env.value(QStringLiteral("DISPLAY")).isEmpty();
    return wayland && x11 ? QByteArrayLiteral("xcb") : QByteArray();
}
