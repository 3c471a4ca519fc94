#include "platform/dbuswakescheduler.h"

#include <QDBusError>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace {
const QString service = QStringLiteral("com.example.norvak.VekoraWake");
const QString path = QStringLiteral("/com/example/norvak/VekoraWake");
const QString interface = QStringLiteral("com.example.norvak.VekoraWake");
const QString outOfRange = QStringLiteral("com.example.norvak.VekoraWake.Error.OutOfRange");
// A helper that is not running is started by the bus daemon, which waits up to 25 s for it to
// come; a helper that cannot start (its user missing, say) must not hold a call that long.
constexpr int answerTimeoutMs = 2000;
} // namespace

DBusWakeScheduler::DBusWakeScheduler(const QDBusConnection &systemBus, QObject *parent)
    : WakeScheduler(parent), m_bus(systemBus), m_watcher(this) {
    if (!m_bus.isConnected())
        return;
    // The service keeps its table in memory only: when it comes back after a restart, it
    // has forgotten us.
    m_watcher.setConnection(m_bus);
    m_watcher.setWatchMode(QDBusServiceWatcher::WatchForRegistration);
    m_watcher.addWatchedService(service);
    connect(&m_watcher, &QDBusServiceWatcher::serviceRegistered, this,
            &DBusWakeScheduler::onServiceRegistered);
}

void DBusWakeScheduler::setWakeup(qint64 epochSeconds) {
    m_wanted = epochSeconds;
    if (m_told != m_wanted)
        send(m_wanted);
}

void DBusWakeScheduler::clearWakeup() {
    m_wanted.reset();
    // Sent even at the first clear: a program that ended without clearing may have left a time.
    if (m_told != m_wanted)
        send(m_wanted);
}

void DBusWakeScheduler::send(const Wish &wish) {
    if (!m_bus.isConnected())
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(service, path, interface,
                                                       wish ? QStringLiteral("SetWakeup")
                                                            : QStringLiteral("ClearWakeup"));
    if (wish)
        call << qulonglong(std::max<qint64>(*wish, 0));
    else
        call.setAutoStartService(false); // a service that is not running holds nothing
    m_told = wish;
    ++m_inFlight;
    const quint64 generation = ++m_generation;
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call, answerTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, generation, wasSet = wish.has_value()](QDBusPendingCallWatcher *w) {
                onFinished(w, generation, wasSet);
            });
}

void DBusWakeScheduler::onFinished(QDBusPendingCallWatcher *watcher, quint64 generation,
                                   bool wasSet) {
    watcher->deleteLater();
    --m_inFlight;
    if (!watcher->isError())
        return;
    // No answer is no helper, as when there is none at all, only said once: the machine will
    // not be woken, and whoever looks into why should find a word about it.
    const QDBusError::ErrorType error = watcher->error().type();
    if ((error == QDBusError::NoReply || error == QDBusError::TimedOut) && !m_silenceReported) {
        m_silenceReported = true;
        qWarning("vekora: the wake-up helper did not answer (%s); the computer will not be woken "
                 "for the alarm",
                 qPrintable(watcher->error().message()));
    }
    // Other failures (no service, no permission) are left alone: the same wish would fail
    // again, and the next different one is sent anyway.
    if (generation != m_generation)
        return;
    // A time the service refuses (the ringing moment less than a minute away, or the clock
    // far off) must not leave an older one standing, which would wake the machine for nothing.
    if (wasSet && watcher->error().name() == outOfRange)
        send(std::nullopt);
}

void DBusWakeScheduler::onServiceRegistered() {
    // Our own call may be what started the service; it arrives there without help.
    if (m_inFlight == 0 && m_wanted)
        send(m_wanted);
}
