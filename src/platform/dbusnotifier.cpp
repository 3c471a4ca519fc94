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

QDBusMessage call(const QString &method) {
    return QDBusMessage::createMethodCall(service, path, interface, method);
}

// The markup servers read is a small XML-like language: these three are all it needs escaped.
QString asMarkup(QString text) {
    return text.replace(u'&', QStringLiteral("&amp;"))
        .replace(u'<', QStringLiteral("&lt;"))
        .replace(u'>', QStringLiteral("&gt;"));
}
} // namespace

DBusNotifier::DBusNotifier(const QDBusConnection &bus, QObject *parent)
    : DBusNotifier([bus] { return bus; }, parent) {
    this->bus();
}

DBusNotifier::DBusNotifier(std::function<QDBusConnection()> connectBus, QObject *parent)
    : AlarmNotifier(parent), m_connectBus(std::move(connectBus)) {}

DBusNotifier::~DBusNotifier() {
    if (m_id != 0 && m_bus && m_bus->isConnected()) {
        QDBusMessage close = call(QStringLiteral("CloseNotification"));
        close << m_id;
        m_bus->send(close);
    }
}

QDBusConnection *DBusNotifier::bus() {
    if (m_connectBus) {
        m_bus = std::exchange(m_connectBus, nullptr)();
        if (m_bus->isConnected()) {
            // Listening before the first Notify is sent, so no Stop can come unheard.
            m_bus->connect(service, path, interface, QStringLiteral("ActionInvoked"), this,
                           SLOT(onActionInvoked(uint, QString)));
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
    m_inFlight = true;
    auto *watcher = new QDBusPendingCallWatcher(
        m_bus->asyncCall(call(QStringLiteral("GetCapabilities"))), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher] {
        watcher->deleteLater();
        const QDBusPendingReply<QStringList> reply = *watcher;
        m_bodyMarkup = reply.isValid() && reply.value().contains(QStringLiteral("body-markup"));
        m_actions = reply.isValid() && reply.value().contains(QStringLiteral("actions"));
        m_inFlight = false;
        for (const auto &[title, body] : std::exchange(m_waitingNotices, {}))
            notice(title, body);
        sendWaiting();
    });
}

QString DBusNotifier::bodyText(const QString &body) const {
    return m_bodyMarkup == true ? asMarkup(body) : body;
}

void DBusNotifier::show(const QString &title, const QString &body) {
    if (!bus())
        return;
    if (m_inFlight) {
        // Sent once the pending call tells us which notification to replace.
        m_nextShow.emplace(title, body);
        m_closeWhenKnown = false;
        return;
    }
    sendNotify(title, body);
}

void DBusNotifier::withdraw() {
    if (m_inFlight) {
        m_nextShow.reset();
        m_closeWhenKnown = true;
        return;
    }
    if (m_id == 0)
        return;
    QDBusMessage close = call(QStringLiteral("CloseNotification"));
    close << m_id;
    m_id = 0;
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
    QVariantMap hints;
    hints.insert(QStringLiteral("urgency"), QVariant::fromValue<uchar>(1));
    hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("vekora"));
    QDBusMessage notify = call(QStringLiteral("Notify"));
    // A notification of its own (id 0), never replaced by the ringing one; 0 ms: no expiry.
    notify << QStringLiteral("Vekora") << 0u << QStringLiteral("vekora") << title << bodyText(body)
           << QStringList() << hints << 0;
    connection->asyncCall(notify);
}

void DBusNotifier::sendNotify(const QString &title, const QString &body) {
    QVariantMap hints;
    hints.insert(QStringLiteral("urgency"), QVariant::fromValue<uchar>(2)); // critical: stays up
    hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("vekora"));

    // Stop is offered as it always was; Snooze only where the server says it shows actions.
    QStringList actions{stopAction, QStringLiteral("Stop")};
    if (m_actions && !snoozeLabel().isEmpty())
        actions << snoozeAction << snoozeLabel();
    QDBusMessage notify = call(QStringLiteral("Notify"));
    notify << QStringLiteral("Vekora") << m_id << QStringLiteral("vekora") << title
           << bodyText(body) << actions << hints << 0;

    m_inFlight = true;
    auto *watcher = new QDBusPendingCallWatcher(m_bus->asyncCall(notify), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, &DBusNotifier::onNotifyFinished);
}

void DBusNotifier::onNotifyFinished(QDBusPendingCallWatcher *watcher) {
    watcher->deleteLater();
    const QDBusPendingReply<uint> reply = *watcher;
    m_inFlight = false;
    m_id = reply.isValid() ? reply.value() : 0;
    sendWaiting();
}

void DBusNotifier::sendWaiting() {
    if (m_closeWhenKnown) {
        m_closeWhenKnown = false;
        withdraw();
    } else if (m_nextShow) {
        const auto [title, body] = *std::exchange(m_nextShow, std::nullopt);
        sendNotify(title, body);
    }
}

void DBusNotifier::onActionInvoked(uint id, const QString &actionKey) {
    if (id == 0 || id != m_id)
        return;
    if (actionKey == stopAction)
        emit stopRequested();
    else if (actionKey == snoozeAction)
        emit snoozeRequested();
}

void DBusNotifier::onNotificationClosed(uint id, uint) {
    if (id != 0 && id == m_id)
        m_id = 0;
}
