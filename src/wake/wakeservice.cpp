#include "wake/wakeservice.h"

#include "wake/wakealarm.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusReply>

WakeService::WakeService(WakeAlarm *alarm, std::function<WakeTable::Time()> now, int idleSeconds,
                         QObject *parent)
    : QDBusVirtualObject(parent), m_alarm(alarm), m_now(std::move(now)), m_idle(this) {
    m_idle.setSingleShot(true);
    m_idle.setInterval(idleSeconds * 1000);
    connect(&m_idle, &QTimer::timeout, this, &WakeService::idle);
    connect(m_alarm, &WakeAlarm::fired, this, [this] {
        m_table.expire(m_now());
        rearm();
    });
    updateIdle();
}

QString WakeService::introspect(const QString &) const {
    return QStringLiteral(
               "<interface name=\"%1\">"
               "<method name=\"SetWakeup\"><arg name=\"t\" type=\"t\" direction=\"in\"/>"
               "</method>"
               "<method name=\"ClearWakeup\"/>"
               "<method name=\"GetWakeup\"><arg name=\"t\" type=\"t\" direction=\"out\"/>"
               "</method>"
               "</interface>")
        .arg(interfaceName);
}

bool WakeService::handleMessage(const QDBusMessage &message, const QDBusConnection &connection) {
    if (message.type() != QDBusMessage::MethodCallMessage)
        return false;
    if (!message.interface().isEmpty() && message.interface() != interfaceName)
        return false; // introspection and the like are left to Qt and libdbus

    // Asked of the bus daemon, which saw the caller's credentials on its socket.
    const QDBusReply<uint> uid = connection.interface()->serviceUid(message.service());
    QDBusMessage reply =
        uid.isValid() ? answer(message, uid.value())
                      : message.createErrorReply(QDBusError::AccessDenied,
                                                 QStringLiteral("The caller's user is unknown"));
    if (!message.isReplyRequired())
        reply = {}; // the change is made; nobody listens for the answer
    if (reply.type() != QDBusMessage::InvalidMessage)
        connection.send(reply);
    updateIdle();
    return true;
}

QDBusMessage WakeService::answer(const QDBusMessage &call, WakeTable::Uid uid) {
    const QString method = call.member();
    const QString signature = call.signature();
    const bool known = method == QLatin1String("SetWakeup") ||
                       method == QLatin1String("ClearWakeup") ||
                       method == QLatin1String("GetWakeup");
    if (!known)
        return call.createErrorReply(
            QDBusError::UnknownMethod,
            QStringLiteral("No method %1 in %2").arg(method, interfaceName));
    const QString wanted = method == QLatin1String("SetWakeup") ? QStringLiteral("t") : QString();
    if (signature != wanted)
        return call.createErrorReply(
            QDBusError::InvalidArgs,
            QStringLiteral("%1 takes (%2), not (%3)").arg(method, wanted, signature));
    if (!m_alarm->isValid())
        return call.createErrorReply(errorNotPermitted,
                                     QStringLiteral("This system does not let the service set "
                                                    "wake-up alarms (CAP_WAKE_ALARM)"));

    const WakeTable::Time now = m_now();
    m_table.expire(now);
    if (method == QLatin1String("GetWakeup"))
        return call.createReply(QVariant::fromValue<qulonglong>(m_table.get(uid)));
    if (method == QLatin1String("ClearWakeup")) {
        m_table.clear(uid);
        rearm();
        return call.createReply();
    }
    const qulonglong when = call.arguments().constFirst().toULongLong();
    if (!m_table.set(uid, when, now))
        return call.createErrorReply(errorOutOfRange,
                                     QStringLiteral("A wake-up time must lie in the next %1 days")
                                         .arg(WakeTable::maxAhead / 86400));
    rearm();
    return call.createReply();
}

void WakeService::rearm() {
    if (!m_alarm->arm(m_table.earliest()))
        qWarning("vekora-wake: cannot arm the wake-up alarm: %s", qPrintable(m_alarm->error()));
    updateIdle();
}

void WakeService::updateIdle() {
    // Counted from the moment the last time went, not from the last call: a caller that only
    // asks must not keep the process alive.
    if (!m_table.empty())
        m_idle.stop();
    else if (!m_idle.isActive())
        m_idle.start();
}
