#pragma once

#include "platform/alarmnotifier.h"

#include <QDBusConnection>
#include <QString>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

class QDBusPendingCallWatcher;

// The alarm's notifications as freedesktop desktop notifications. Every call is asynchronous so a
// slow or missing notification service never holds up the clock tick; without a service nothing
// happens. The texts are plain: where the server reads markup, they are escaped.
class DBusNotifier final : public AlarmNotifier {
    Q_OBJECT
public:
    explicit DBusNotifier(const QDBusConnection &bus, QObject *parent = nullptr);
    // Asks for the bus at the first notification, not at start: most runs never ring.
    explicit DBusNotifier(std::function<QDBusConnection()> connectBus, QObject *parent = nullptr);
    // Takes the notifications down: they never expire, and their actions would outlive us.
    ~DBusNotifier() override;

    void showRinging(const QString &title, const QString &body) override;
    void withdrawRinging() override;
    void showSnoozed(const QString &title, const QString &body) override;
    void withdrawSnoozed() override;
    void notice(const QString &title, const QString &body) override;

private slots:
    // Named slots because QDBusConnection::connect takes only SLOT() signatures.
    void onActionInvoked(uint id, const QString &actionKey);
    void onActivationToken(uint id, const QString &token);
    void onNotificationClosed(uint id, uint reason);

private:
    // One notification of ours that is shown, replaced and taken down over time. The server names
    // it only in its answer, so what is asked for meanwhile waits for that answer.
    struct Shown {
        uint id = 0;           // 0: none shown
        bool inFlight = false; // a Notify call awaits its id
        bool closeWhenKnown = false;
        std::optional<std::pair<QString, QString>> next; // title and body asked for meanwhile
    };
    enum class Kind { Ringing, Snoozed };

    // The bus, connected and listening for the service's signals; null when there is none.
    QDBusConnection *bus();
    void askCapabilities();
    Shown &shown(Kind kind) { return kind == Kind::Ringing ? m_ringing : m_snoozed; }
    void show(Kind kind, const QString &title, const QString &body);
    void withdraw(Kind kind);
    void sendNotify(Kind kind, const QString &title, const QString &body);
    // What was asked for while a call was in flight, now that it has come back.
    void sendWaiting(Kind kind);
    QString bodyText(const QString &body) const;

    std::function<QDBusConnection()> m_connectBus; // empty once asked
    std::optional<QDBusConnection> m_bus;
    Shown m_ringing, m_snoozed;
    std::optional<bool> m_bodyMarkup; // unknown until the server answers
    bool m_actions = false;           // the server shows action buttons
    std::vector<std::pair<QString, QString>> m_waitingNotices;
    std::pair<uint, QString> m_token; // the last activation token and its notification
};
