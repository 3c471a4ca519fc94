#pragma once

#include "platform/notifier.h"

#include <QDBusConnection>
#include <QString>
#include <optional>
#include <utility>

class QDBusPendingCallWatcher;

// The ringing alarm as a freedesktop desktop notification with a "Stop" action. Every call is
// asynchronous so a slow or missing notification service never holds up the clock tick; without
// a service nothing happens.
class DBusNotifier final : public AlarmNotifier {
    Q_OBJECT
public:
    explicit DBusNotifier(const QDBusConnection &bus, QObject *parent = nullptr);
    // Takes the notification down: it never expires, and its Stop action would outlive us.
    ~DBusNotifier() override;

    void show(const QString &title, const QString &body) override;
    void withdraw() override;
    void notice(const QString &title, const QString &body) override;

private slots:
    // Named slots because QDBusConnection::connect takes only SLOT() signatures.
    void onActionInvoked(uint id, const QString &actionKey);
    void onNotificationClosed(uint id, uint reason);

private:
    void sendNotify(const QString &title, const QString &body);
    void onNotifyFinished(QDBusPendingCallWatcher *watcher);

    QDBusConnection m_bus;
    uint m_id = 0;           // the notification now shown, 0 for none
    bool m_inFlight = false; // a Notify call awaits its id
    bool m_closeWhenKnown = false;
    std::optional<std::pair<QString, QString>> m_nextShow; // asked for while a Notify was in flight
};
