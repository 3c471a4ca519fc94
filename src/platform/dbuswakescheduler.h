#pragma once

#include "platform/wakescheduler.h"

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <optional>

class QDBusMessage;
class QDBusPendingCallWatcher;

// The wake-up time as this user's entry in the vekora-wake system service. Every call is
// asynchronous, so the clock never waits for the bus; without the service or without a system
// bus nothing happens and nothing is said: waking is an extra, not something to nag about. A
// service that does not answer within a short time counts as none, with one line on stderr.
class DBusWakeScheduler final : public WakeScheduler {
    Q_OBJECT
public:
    explicit DBusWakeScheduler(const QDBusConnection &systemBus, QObject *parent = nullptr);

    void setWakeup(qint64 epochSeconds) override;
    void clearWakeup() override;

private:
    using Wish = std::optional<qint64>; // no value: hold nothing
    void send(const Wish &wish);
    void onFinished(QDBusPendingCallWatcher *watcher, quint64 generation, bool wasSet);
    void onServiceRegistered();

    QDBusConnection m_bus;
    QDBusServiceWatcher m_watcher;
    Wish m_wanted;
    std::optional<Wish> m_told; // what the service was last asked to hold; empty: unknown
    quint64 m_generation = 0;   // counts the calls sent, to recognise a stale answer
    int m_inFlight = 0;
    bool m_silenceReported = false;
};
