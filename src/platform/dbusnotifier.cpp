#include "platform/dbusnotifier.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QStringList>
#include <QVariantMap>

namespace {
const QString service = QStringLiteral("org.freedesktop.Notifications");
const QString path = QStringLiteral("/org/freedesktop/Notifications");
const QString interface = QStringLiteral("org.freedesktop.Notifications");
const QString stopAction = QStringLiteral("stop");
const QString snoozeAction = QStringLiteral("snooze");
const QString cancelSnoozeAction = QStringLiteral("cancel-snooze");
// The click on the notification's body.
const QString defaultAction = QStringLiteral("default");

enum Urgency : uchar { Normal = 1, Critical = 2 };

QDBusMessage call(const QString &method) {
    return QDBusMessage::createMethodCall(service, path, interface, method);
}

// The markup servers read is a small XML-like language: these three are all it needs escaped.
QString asMarkup(QString text) {
    return text.replace(u'&', QStringLiteral("&amp;"))
        .replace(u'<', QStringLiteral("&lt;"))
        .replace(u'>', QStringLiteral("&gt;"));
}

QVariantMap hints(Urgency urgency) {
    QVariantMap map;
    // Servers ignore an urgency of any other D-Bus type than byte.
    map.insert(QStringLiteral("urgency"), QVariant::fromValue<uchar>(urgency));
    map.insert(QStringLiteral("desktop-entry"), QStringLiteral("vekora"));
    return map;
}

QDBusMessage notify(uint replaces, const QString &title, const QString &body,
                    const QStringList &actions, const QVariantMap &hints) {
    QDBusMessage message = call(QStringLiteral("Notify"));
    // 0 ms: the notification never expires by itself.
    message << QStringLiteral("Vekora") << replaces << QStringLiteral("vekora") << title << body
            << actions << hints << 0;
    return message;
}
} // namespace

DBusNotifier::DBusNotifier(const QDBusConnection &bus, QObject *parent)
    : DBusNotifier([bus] { return bus; }, parent) {
    this->bus();
}

DBusNotifier::DBusNotifier(std::function<QDBusConnection()> connectBus, QObject *parent)
    : AlarmNotifier(parent), m_connectBus(std::move(connectBus)) {}

DBusNotifier::~DBusNotifier() {
    if (!m_bus || !m_bus->isConnected())
        return;
    for (const uint id : {m_ringing.id, m_snoozed.id}) {
        if (id == 0)
            continue;
        QDBusMessage close = call(QStringLiteral("CloseNotification"));
        close << id;
        m_bus->send(close);
    }
}

QDBusConnection *DBusNotifier::bus() {
    if (m_connectBus) {
        m_bus = std::exchange(m_connectBus, nullptr)();
        if (m_bus->isConnected()) {
            // Listening before the first Notify is sent, so no action can come unheard.
            m_bus->connect(service, path, interface, QStringLiteral("ActionInvoked"), this,
                           SLOT(onActionInvoked(uint, QString)));
            m_bus->connect(service, path, interface, QStringLiteral("ActivationToken"), this,
                           SLOT(onActivationToken(uint, QString)));
            m_bus->connect(service, path, interface, QStringLiteral("NotificationClosed"), this,
                           SLOT(onNotificationClosed(uint, uint)));
            askCapabilities();
        }
    }
    return m_bus && m_bus->isConnected() ? &*m_bus : nullptr;
}

// Whether the server reads the body as markup decides how every body is written, so the
// notifications wait for the answer; it is asked for once, as the first Notify would wait anyway.
void DBusNotifier::askCapabilities() {
    auto *watcher = new QDBusPendingCallWatcher(
        m_bus->asyncCall(call(QStringLiteral("GetCapabilities"))), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher] {
        watcher->deleteLater();
        const QDBusPendingReply<QStringList> reply = *watcher;
        m_bodyMarkup = reply.isValid() && reply.value().contains(QStringLiteral("body-markup"));
        m_actions = reply.isValid() && reply.value().contains(QStringLiteral("actions"));
        for (const auto &[title, body] : std::exchange(m_waitingNotices, {}))
            notice(title, body);
        sendWaiting(Kind::Ringing);
        sendWaiting(Kind::Snoozed);
    });
}

QString DBusNotifier::bodyText(const QString &body) const {
    return m_bodyMarkup == true ? asMarkup(body) : body;
}

void DBusNotifier::showRinging(const QString &title, const QString &body) {
    show(Kind::Ringing, title, body);
}

void DBusNotifier::withdrawRinging() {
    withdraw(Kind::Ringing);
}

void DBusNotifier::showSnoozed(const QString &title, const QString &body) {
    show(Kind::Snoozed, title, body);
}

void DBusNotifier::withdrawSnoozed() {
    withdraw(Kind::Snoozed);
}

void DBusNotifier::show(Kind kind, const QString &title, const QString &body) {
    if (!bus())
        return;
    Shown &s = shown(kind);
    if (!m_bodyMarkup || s.inFlight) {
        // Sent once the server's answer tells how to write it, or which notification to replace.
        s.next.emplace(title, body);
        s.closeWhenKnown = false;
        return;
    }
    sendNotify(kind, title, body);
}

void DBusNotifier::withdraw(Kind kind) {
    Shown &s = shown(kind);
    s.next.reset();
    if (s.inFlight) {
        s.closeWhenKnown = true;
        return;
    }
    if (s.id == 0)
        return;
    QDBusMessage close = call(QStringLiteral("CloseNotification"));
    close << std::exchange(s.id, 0u);
    if (QDBusConnection *connection = bus())
        connection->asyncCall(close);
}

void DBusNotifier::notice(const QString &title, const QString &body) {
    QDBusConnection *connection = bus();
    if (!connection)
        return;
    if (!m_bodyMarkup) {
        m_waitingNotices.emplace_back(title, body);
        return;
    }
    // A notification of its own (id 0), never replaced by the alarm's.
    connection->asyncCall(notify(0, title, bodyText(body), {}, hints(Normal)));
}

void DBusNotifier::sendNotify(Kind kind, const QString &title, const QString &body) {
    Shown &s = shown(kind);
    QStringList actions;
    QVariantMap extra;
    if (kind == Kind::Ringing) {
        // Stop is offered as it always was; the others only where the server shows actions.
        actions << stopAction << labels().stop;
        if (m_actions && !labels().snooze.isEmpty())
            actions << snoozeAction << labels().snooze;
        if (m_actions)
            actions << defaultAction << labels().show;
        extra = hints(Critical); // critical: stays up
        // A click on its body must leave it up: the alarm rings on.
        extra.insert(QStringLiteral("resident"), true);
    } else {
        if (m_actions)
            actions << cancelSnoozeAction << labels().cancelSnooze;
        extra = hints(Normal);
    }
    s.inFlight = true;
    auto *watcher = new QDBusPendingCallWatcher(
        m_bus->asyncCall(notify(s.id, title, bodyText(body), actions, extra)), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, kind, watcher] {
        watcher->deleteLater();
        const QDBusPendingReply<uint> reply = *watcher;
        Shown &s = shown(kind);
        s.inFlight = false;
        s.id = reply.isValid() ? reply.value() : 0;
        sendWaiting(kind);
    });
}

void DBusNotifier::sendWaiting(Kind kind) {
    Shown &s = shown(kind);
    if (s.closeWhenKnown) {
        s.closeWhenKnown = false;
        withdraw(kind);
    } else if (s.next) {
        const auto [title, body] = *std::exchange(s.next, std::nullopt);
        sendNotify(kind, title, body);
    }
}

void DBusNotifier::onActivationToken(uint id, const QString &token) {
    m_token = {id, token};
}

void DBusNotifier::onActionInvoked(uint id, const QString &actionKey) {
    if (id == 0)
        return;
    if (id == m_ringing.id) {
        if (actionKey == stopAction)
            emit stopRequested();
        else if (actionKey == snoozeAction)
            emit snoozeRequested();
        else if (actionKey == defaultAction)
            emit showRequested(m_token.first == id ? m_token.second : QString());
    } else if (id == m_snoozed.id && actionKey == cancelSnoozeAction) {
        emit cancelSnoozeRequested();
    }
}

void DBusNotifier::onNotificationClosed(uint id, uint) {
    for (Shown *s : {&m_ringing, &m_snoozed}) {
        if (id != 0 && id == s->id)
            s->id = 0;
    }
}
