#include "wake/wakeservice.h"

#include "wake/wakealarm.h"

#include <QDBusError>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QFile>

namespace {
const QString busService = QStringLiteral("org.freedesktop.DBus");
const QString busPath = QStringLiteral("/org/freedesktop/DBus");
} // namespace

WakeService::WakeService(const QDBusConnection &bus, WakeAlarm *alarm,
                         std::function<WakeTable::Time()> now, int idleSeconds, QObject *parent)
    : QDBusVirtualObject(parent), m_bus(bus), m_alarm(alarm), m_now(std::move(now)), m_idle(this) {
    m_idle.setSingleShot(true);
    m_idle.setInterval(idleSeconds * 1000);
    connect(&m_idle, &QTimer::timeout, this, &WakeService::idle);
    connect(m_alarm, &WakeAlarm::fired, this, [this] {
        m_table.expire(m_now());
        rearm();
    });
    // A caller that leaves takes its remembered user along; the bus says so after its last call.
    m_bus.connect(busService, busPath, busService, QStringLiteral("NameOwnerChanged"), this,
                  SLOT(onNameOwnerChanged(QString, QString, QString)));
    updateIdle();
}

QString WakeService::introspect(const QString &) const {
    // The interface file installed for others to read is the one the helper describes itself by.
    QFile file(QStringLiteral(":/wake/%1.xml").arg(interfaceName));
    const QString xml =
        file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    const qsizetype from = xml.indexOf(QLatin1String("<interface "));
    const qsizetype to = xml.indexOf(QLatin1String("</interface>"));
    return from < 0 || to < from ? QString()
                                 : xml.mid(from, to - from) + QLatin1String("</interface>");
}

bool WakeService::handleMessage(const QDBusMessage &message, const QDBusConnection &) {
    if (message.type() != QDBusMessage::MethodCallMessage)
        return false;
    if (!message.interface().isEmpty() && message.interface() != interfaceName)
        return false; // introspection and the like are left to Qt and libdbus

    // Only a well-formed call waits for its caller's user, so what waits is small whatever is sent.
    const QString caller = message.service();
    if (const std::optional<QDBusMessage> refused = refusal(message)) {
        reply(message, *refused);
    } else if (const std::optional<WakeTable::Uid> uid = m_callers.find(caller)) {
        reply(message, answer(message, uid));
    } else {
        switch (m_callers.hold(caller, message)) {
        case CallerUids::Held::AskBus:
            askUid(caller);
            break;
        case CallerUids::Held::Waiting:
            break;
        case CallerUids::Held::Refused:
            reply(message,
                  message.createErrorReply(
                      QDBusError::LimitsExceeded,
                      QStringLiteral("Too many calls before the bus said who is calling")));
            break;
        }
    }
    updateIdle();
    return true;
}

void WakeService::askUid(const QString &name) {
    // Asked of the bus daemon, which saw the caller's credentials on its socket.
    QDBusMessage ask = QDBusMessage::createMethodCall(busService, busPath, busService,
                                                      QStringLiteral("GetConnectionUnixUser"));
    ask << name;
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(ask), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, name](QDBusPendingCallWatcher *finished) {
                finished->deleteLater();
                const QDBusPendingReply<uint> told = *finished;
                const std::optional<WakeTable::Uid> uid =
                    told.isValid() ? std::optional(told.value()) : std::nullopt;
                for (const QDBusMessage &call : m_callers.learn(name, uid))
                    reply(call, answer(call, uid));
                updateIdle();
            });
}

void WakeService::onNameOwnerChanged(const QString &name, const QString &,
                                     const QString &newOwner) {
    if (newOwner.isEmpty())
        m_callers.forget(name);
}

void WakeService::reply(const QDBusMessage &call, const QDBusMessage &answer) {
    // Without a reply wanted the change is made and nobody listens for the answer.
    if (call.isReplyRequired())
        m_bus.send(answer);
}

std::optional<QDBusMessage> WakeService::refusal(const QDBusMessage &call) const {
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
    return std::nullopt;
}

QDBusMessage WakeService::answer(const QDBusMessage &call, std::optional<WakeTable::Uid> uid) {
    if (!uid)
        return call.createErrorReply(QDBusError::AccessDenied,
                                     QStringLiteral("The caller's user is unknown"));
    const QString method = call.member();
    const WakeTable::Time now = m_now();
    m_table.expire(now);
    if (method == QLatin1String("GetWakeup"))
        return call.createReply(QVariant::fromValue<qulonglong>(m_table.get(*uid)));
    if (method == QLatin1String("ClearWakeup")) {
        m_table.clear(*uid);
        rearm();
        return call.createReply();
    }
    const qulonglong when = call.arguments().constFirst().toULongLong();
    if (!m_table.set(*uid, when, now))
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
