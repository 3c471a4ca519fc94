#include "platform/logindinhibitor.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace {
const QString service = QStringLiteral("org.freedesktop.login1");
const QString path = QStringLiteral("/org/freedesktop/login1");
const QString interface = QStringLiteral("org.freedesktop.login1.Manager");
} // namespace

LogindInhibitor::LogindInhibitor(const QDBusConnection &systemBus, QObject *parent)
    : SleepInhibitor(parent), m_bus(systemBus) {
    if (m_bus.isConnected())
        m_bus.connect(service, path, interface, QStringLiteral("PrepareForSleep"), this,
                      SLOT(onPrepareForSleep(bool)));
}

void LogindInhibitor::hold(const QString &why) {
    m_wanted = true;
    if (m_lock.isValid() || m_inFlight || !m_bus.isConnected())
        return;
    QDBusMessage inhibit =
        QDBusMessage::createMethodCall(service, path, interface, QStringLiteral("Inhibit"));
    inhibit << QStringLiteral("handle-lid-switch:sleep") << QStringLiteral("Vekora") << why
            << QStringLiteral("block");
    m_inFlight = true;
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(inhibit), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, &LogindInhibitor::onInhibitFinished);
}

void LogindInhibitor::release() {
    m_wanted = false;
    m_lock = QDBusUnixFileDescriptor(); // closes our copy, which ends the lock
}

void LogindInhibitor::onInhibitFinished(QDBusPendingCallWatcher *watcher) {
    watcher->deleteLater();
    m_inFlight = false;
    const QDBusPendingReply<QDBusUnixFileDescriptor> reply = *watcher;
    // Released while logind was still answering: the lock is dropped with the reply.
    if (m_wanted && reply.isValid())
        m_lock = reply.value();
}

void LogindInhibitor::onPrepareForSleep(bool goingToSleep) {
    if (!goingToSleep)
        emit resumed();
}
