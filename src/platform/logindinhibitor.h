#pragma once

#include "platform/sleepinhibitor.h"

#include <QDBusConnection>
#include <QDBusUnixFileDescriptor>

class QDBusPendingCallWatcher;

// A logind "block" inhibitor lock on sleep and the lid switch. The lock is the file descriptor
// logind hands back: it holds while we keep it open, and closing it (or the program ending
// for any reason) releases it. Asynchronous; without logind or a system bus nothing happens.
class LogindInhibitor final : public SleepInhibitor {
    Q_OBJECT
public:
    explicit LogindInhibitor(const QDBusConnection &systemBus, QObject *parent = nullptr);

    void hold(const QString &why) override;
    void release() override;

private slots:
    // A named slot because QDBusConnection::connect takes only SLOT() signatures.
    void onPrepareForSleep(bool goingToSleep);

private:
    void onInhibitFinished(QDBusPendingCallWatcher *watcher);

    QDBusConnection m_bus;
    QDBusUnixFileDescriptor m_lock;
    bool m_wanted = false;
    bool m_inFlight = false;
};
