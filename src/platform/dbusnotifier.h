#pragma once

#include "platform/notifier.h"

#include <QDBusConnection>
#include <QString>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

class QDBusPendingCallWatcher;

// The ringing alarm as a freedesktop desktop notification with a "Stop" action. Every call is
// asynchronous so a slow or missing notification service never holds up the clock tick; without
// a service nothing happens. The texts are plain: where the server reads markup, they are escaped.
class DBusNotifier final : public AlarmNotifier {
    Q_OBJECT
public:
    explicit DBusNotifier(const QDBusConnection &bus, QObject *parent = nullptr);
    // Asks for the bus at the first notification, not at start: most runs never ring.
    explicit DBusNotifier(std::function<QDBusConnection()> connectBus, QObject *parent = nullptr);
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
    // The bus, connected and listening for the service's signals; null when there is none.
    QDBusConnection *bus();
    void askCapabilities();
    QString bodyText(const QString &body) const;
    void sendNotify(const QString &title, const QString &body);
    void onNotifyFinished(QDBusPendingCallWatcher *watcher);
    // What was asked for while a call was in flight, now that it has come back.
    void sendWaiting();

    std::function<QDBusConnection()> m_connectBus; // empty once asked
    std::optional<QDBusConnection> m_bus;
    uint m_id = 0;           // the notification now shown, 0 for none
    bool m_inFlight = false; // a Notify call awaits its id
    bool m_closeWhenKnown = false;
    std::optional<std::pair<QString, QString>> m_nextShow; // asked for while a call was in flight
    std::optional<bool> m_bodyMarkup;                      // unknown until the server answers
    bool m_actions = false;                                // the server shows action buttons
    std::vector<std::pair<QString, QString>> m_waitingNotices;
};
