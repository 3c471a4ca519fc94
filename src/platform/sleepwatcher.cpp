#include "platform/sleepwatcher.h"

LogindSleepWatcher::LogindSleepWatcher(const QDBusConnection &bus, QObject *parent)
    : SleepWatcher(parent) {
    QDBusConnection connection(bus);
    if (connection.isConnected())
        connection.connect(QStringLiteral("org.freedesktop.login1"),
                           QStringLiteral("/org/freedesktop/login1"),
                           QStringLiteral("org.freedesktop.login1.Manager"),
                           QStringLiteral("PrepareForSleep"), this, SLOT(onPrepareForSleep(bool)));
}

void LogindSleepWatcher::onPrepareForSleep(bool goingToSleep) {
    if (!goingToSleep)
        emit resumed();
}
