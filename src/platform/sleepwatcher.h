#pragma once

#include <QDBusConnection>
#include <QObject>

// Tells when the machine wakes from sleep, so an alarm that fell into the sleep is dealt with
// at once instead of at the clock's next second.
class SleepWatcher : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

signals:
    void resumed();
};

// logind's PrepareForSleep(false) on the system bus; without a system bus it stays silent and
// the tick's own jump test finds the lost time.
class LogindSleepWatcher final : public SleepWatcher {
    Q_OBJECT
public:
    explicit LogindSleepWatcher(const QDBusConnection &bus, QObject *parent = nullptr);

private slots:
    // A named slot because QDBusConnection::connect takes only SLOT() signatures.
    void onPrepareForSleep(bool goingToSleep);
};
