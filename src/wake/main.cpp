// vekora-wake: keeps the machine's wake-up alarm at the earliest time any user's alarm clock
// asked for. A system service started by the bus on demand; see resources/wake/.

#include "wake/wakealarm.h"
#include "wake/wakeservice.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDateTime>
#include <cstdio>

namespace {

// The policy lets only the helper's own system user take the name; anyone else is refused here.
bool takeName(const QDBusConnection &bus) {
    const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply =
        bus.interface()->registerService(WakeService::serviceName,
                                         QDBusConnectionInterface::DontQueueService,
                                         QDBusConnectionInterface::DontAllowReplacement);
    if (reply.isValid() && reply.value() == QDBusConnectionInterface::ServiceRegistered)
        return true;
    std::fprintf(stderr, "vekora-wake: cannot own %s: %s\n", qPrintable(WakeService::serviceName),
                 reply.isValid() ? "the name is taken" : qPrintable(reply.error().message()));
    return false;
}

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vekora-wake"));

    QCommandLineParser options;
    options.setApplicationDescription(
        QStringLiteral("Sets the machine's wake-up alarm for the alarm clocks of its users."));
    options.addHelpOption();
    const QCommandLineOption plainClock(
        QStringLiteral("plain-clock"),
        QStringLiteral("Use a timer that does not wake the machine (needs no privilege; tests)."));
    const QCommandLineOption idleOption(QStringLiteral("idle"),
                                        QStringLiteral("Exit after this many seconds with nothing "
                                                       "held (default 300)."),
                                        QStringLiteral("seconds"), QStringLiteral("300"));
    options.addOptions({plainClock, idleOption});
    options.process(app);
    bool idleOk = false;
    const int idleSeconds = options.value(idleOption).toInt(&idleOk);
    if (!idleOk || idleSeconds < 1 || idleSeconds > 86400)
        options.showHelp(2);

    WakeAlarm alarm(options.isSet(plainClock) ? CLOCK_REALTIME : CLOCK_REALTIME_ALARM);
    if (!alarm.isValid()) {
        // Said once here; from now on every caller gets NotPermitted.
        std::fprintf(stderr,
                     "vekora-wake: the kernel refuses a wake-up alarm (%s); is CAP_WAKE_ALARM "
                     "granted? Every call will be refused.\n",
                     qPrintable(alarm.error()));
    }

    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) {
        std::fprintf(stderr, "vekora-wake: no system bus: %s\n",
                     qPrintable(bus.lastError().message()));
        return 1;
    }
    WakeService service(
        bus, &alarm, [] { return WakeTable::Time(QDateTime::currentSecsSinceEpoch()); },
        idleSeconds);
    QObject::connect(&service, &WakeService::idle, &app, &QCoreApplication::quit);
    // The object before the name, so a call queued during bus activation finds it.
    if (!bus.registerVirtualObject(WakeService::objectPath, &service) || !takeName(bus))
        return 1;
    return app.exec();
}
