#include "platform/qpachoice.h"

QString ownEnvironmentVariable(const char *name) {
    return qEnvironmentVariable(name);
}

QByteArray chooseQtPlatform(const EnvironmentLookup &variable) {
    if (!variable("QT_QPA_PLATFORM").isEmpty())
        return {};
    const bool wayland = !variable("WAYLAND_DISPLAY").isEmpty() ||
                         variable("XDG_SESSION_TYPE") == QLatin1String("wayland");
    const bool x11 = !variable("DISPLAY").isEmpty();
    return wayland && x11 ? QByteArrayLiteral("xcb") : QByteArray();
}
