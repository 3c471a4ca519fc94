// The program's calls on the system bus, each service played by a stand-in on a private bus: the
// wake-up time through vekora-wake, the sleep lock through logind.

#include "platform/dbuswakescheduler.h"
#include "platform/logindinhibitor.h"
#include "privatebus.h"

#include <QDBusConnectionInterface>
#include <QDBusContext>
#include <QDBusUnixFileDescriptor>
#include <QDateTime>
#include <QTest>
#include <poll.h>

namespace {
const QString wakeService = QStringLiteral("com.example.norvak.VekoraWake");
}

// Holds nothing and answers as vekora-wake does, refusing a time in the past.
class FakeWakeHelper : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.example.norvak.VekoraWake")
public:
    QStringList calls;

public slots:
    void SetWakeup(qulonglong when) {
        calls << QStringLiteral("set %1").arg(when);
        if (qint64(when) <= QDateTime::currentSecsSinceEpoch())
            sendErrorReply(wakeService + QStringLiteral(".Error.OutOfRange"), QString());
    }
    void ClearWakeup() { calls << QStringLiteral("clear"); }
};

// Hands out the write end of a pipe as the lock: the lock is gone once the read end sees EOF.
class FakeLogind : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")
public:
    QStringList calls;
    int lock = -1; // the read end
    ~FakeLogind() override { ::close(lock); }
    bool released() const {
        pollfd p{lock, POLLIN, 0};
        return ::poll(&p, 1, 0) == 1 && (p.revents & POLLHUP);
    }

public slots:
    QDBusUnixFileDescriptor Inhibit(const QString &what, const QString &who, const QString &why,
                                    const QString &mode) {
        calls << QStringList{what, who, why, mode}.join(u'|');
        int ends[2];
        if (::pipe(ends) != 0)
            return {};
        lock = ends[0];
        QDBusUnixFileDescriptor held(ends[1]); // keeps a copy of its own
        ::close(ends[1]);
        return held;
    }
};

class TestSystemBus : public QObject {
    Q_OBJECT

private slots:
    // Told each new time once; told again when the helper comes back with an empty table; a
    // refused time clears the older one rather than leave it to wake the machine for nothing.
    void wakeSchedulerKeepsTheHelperTold() {
        PrivateBus bus;
        QDBusConnection helperBus = bus.connect(QStringLiteral("helper"));
        FakeWakeHelper helper;
        QVERIFY(helperBus.registerObject("/com/example/norvak/VekoraWake", &helper,
                                         QDBusConnection::ExportAllSlots));
        QVERIFY(helperBus.registerService(wakeService));
        DBusWakeScheduler scheduler(bus.connect(QStringLiteral("program")));
        const qint64 ringing = QDateTime::currentSecsSinceEpoch() + 3 * 3600;
        scheduler.setWakeup(ringing);
        scheduler.setWakeup(ringing);
        QTRY_COMPARE(helper.calls.size(), 1);
        QVERIFY(helperBus.unregisterService(wakeService) && helperBus.registerService(wakeService));
        QTRY_COMPARE(helper.calls.size(), 2);
        scheduler.clearWakeup();
        scheduler.setWakeup(1000);
        QTRY_COMPARE(helper.calls.size(), 5);
        QCOMPARE(helper.calls,
                 (QStringList{"set " + QString::number(ringing), "set " + QString::number(ringing),
                              "clear", "set 1000", "clear"}));
    }

    // Without the helper or logind, or without a system bus, the program carries on as before:
    // not a word.
    void silentWithoutTheServices() {
        PrivateBus bus;
        static QStringList said;
        const QtMessageHandler previous = qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext &, const QString &text) { said << text; });
        for (const QDBusConnection &system :
             {bus.connect(QStringLiteral("program")), QDBusConnection("no such bus")}) {
            DBusWakeScheduler scheduler(system);
            LogindInhibitor inhibitor(system);
            scheduler.setWakeup(QDateTime::currentSecsSinceEpoch() + 3600);
            scheduler.clearWakeup();
            inhibitor.hold("ringing");
            QTest::qWait(300); // the answers, "no such service", arrive
            inhibitor.release();
        }
        qInstallMessageHandler(previous);
        QCOMPARE(said, QStringList());
    }

    // One lock however often it is asked for, let go on release.
    void inhibitorHoldsLogindsLock() {
        PrivateBus bus;
        QDBusConnection logindBus = bus.connect(QStringLiteral("logind"));
        FakeLogind logind;
        QVERIFY(logindBus.registerObject("/org/freedesktop/login1", &logind,
                                         QDBusConnection::ExportAllSlots));
        QVERIFY(logindBus.registerService("org.freedesktop.login1"));
        LogindInhibitor inhibitor(bus.connect(QStringLiteral("program")));
        inhibitor.hold("The alarm is ringing");
        inhibitor.hold("again");
        QTRY_VERIFY(logind.lock >= 0);
        QVERIFY(!logind.released());
        inhibitor.release();
        QTRY_VERIFY(logind.released());
        QCOMPARE(logind.calls, {"handle-lid-switch:sleep|Vekora|The alarm is ringing|block"});
    }
};

QTEST_GUILESS_MAIN(TestSystemBus)
#include "tst_systembus.moc"
