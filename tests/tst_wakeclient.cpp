// The program's side: the wake-up time through the real helper on a private system-like bus,
// and the sleep lock through a stand-in for logind.

#include "platform/dbuswakescheduler.h"
#include "platform/logindinhibitor.h"
#include "wakebus.h"

#include <QDBusMessage>
#include <QDBusUnixFileDescriptor>
#include <QDateTime>
#include <QSignalSpy>
#include <QTest>
#include <memory>
#include <poll.h>

using namespace wakebus;

namespace {
qint64 now() {
    return QDateTime::currentSecsSinceEpoch();
}

// Lets this process stand in for logind on the private bus.
const QString logindPolicy =
    QStringLiteral("<policy context=\"default\"><allow own=\"org.freedesktop.login1\"/>"
                   "<allow send_destination=\"org.freedesktop.login1\"/></policy>");

QList<QByteArray> captured;
void capture(QtMsgType, const QMessageLogContext &, const QString &text) {
    captured << text.toUtf8();
}
} // namespace

// Hands out the write end of a pipe as the lock: the lock is gone once the read end sees EOF.
class FakeLogind : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")
public:
    QStringList calls;
    QList<int> locks; // read ends, one per Inhibit
    ~FakeLogind() override {
        for (int fd : std::as_const(locks))
            ::close(fd);
    }
    bool released(int i) const {
        pollfd p{locks.value(i, -1), POLLIN, 0};
        return ::poll(&p, 1, 0) == 1 && (p.revents & POLLHUP);
    }

public slots:
    QDBusUnixFileDescriptor Inhibit(const QString &what, const QString &who, const QString &why,
                                    const QString &mode) {
        calls << QStringList{what, who, why, mode}.join(u'|');
        int ends[2];
        if (::pipe(ends) != 0)
            return {};
        locks << ends[0];
        QDBusUnixFileDescriptor lock(ends[1]); // keeps a copy of its own
        ::close(ends[1]);
        return lock;
    }

signals:
    void PrepareForSleep(bool start);
};

class TestWakeClient : public QObject {
    Q_OBJECT
    std::unique_ptr<PrivateSystemBus> m_bus;

    QDBusConnection start(const QString &extraPolicy = {}) {
        m_bus = std::make_unique<PrivateSystemBus>();
        const QString error = m_bus->start(me(), extraPolicy);
        if (!error.isEmpty())
            qWarning("%s", qPrintable(error));
        return m_bus->connect(QStringLiteral("program"));
    }
    qint64 heldFor(const QDBusConnection &bus) {
        const QDBusMessage reply = bus.call(
            QDBusMessage::createMethodCall(service, path, service, QStringLiteral("GetWakeup")));
        return reply.arguments().value(0).toLongLong();
    }

private slots:
    void initTestCase() {
        if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty())
            QSKIP("dbus-daemon is not installed (Debian package dbus)");
    }
    void cleanup() {
        QDBusConnection::disconnectFromBus(QStringLiteral("program"));
        QDBusConnection::disconnectFromBus(QStringLiteral("logind"));
        m_bus.reset();
    }

    void schedulesThroughTheHelper() {
        const QDBusConnection bus = start();
        QVERIFY(bus.isConnected());
        QVERIFY(m_bus->startHelper(me(), {QStringLiteral("--plain-clock")}));
        DBusWakeScheduler scheduler(bus);
        const qint64 ringing = now() + 3 * 3600;

        scheduler.setWakeup(ringing - 60);
        QTRY_COMPARE(heldFor(bus), ringing - 60);
        scheduler.clearWakeup();
        QTRY_COMPARE(heldFor(bus), 0);

        // The helper refuses a time that is too far out or already past: the older one must not
        // stay behind and wake the machine for nothing.
        scheduler.setWakeup(ringing);
        QTRY_COMPARE(heldFor(bus), ringing);
        scheduler.setWakeup(now() - 30);
        QTRY_COMPARE(heldFor(bus), 0);

        // A restarted helper has forgotten everything; it is told again.
        scheduler.setWakeup(ringing);
        QTRY_COMPARE(heldFor(bus), ringing);
        m_bus->stopHelper();
        QVERIFY(m_bus->startHelper(me(), {QStringLiteral("--plain-clock")}));
        QTRY_COMPARE(heldFor(bus), ringing);
    }

    // Without the helper, or without a system bus, the program carries on as before: no
    // waiting and not a word.
    void silentWithoutHelper() {
        const QDBusConnection bus = start();
        QVERIFY(bus.isConnected());
        DBusWakeScheduler scheduler(bus);
        LogindInhibitor inhibitor(bus);
        DBusWakeScheduler unconnected(QDBusConnection(QStringLiteral("no such bus")));
        LogindInhibitor unconnectedInhibitor(QDBusConnection(QStringLiteral("no such bus")));

        captured.clear();
        const QtMessageHandler previous = qInstallMessageHandler(capture);
        for (WakeScheduler *s : {static_cast<WakeScheduler *>(&scheduler),
                                 static_cast<WakeScheduler *>(&unconnected)}) {
            s->setWakeup(now() + 3600);
            s->clearWakeup();
        }
        inhibitor.hold(QStringLiteral("ringing"));
        unconnectedInhibitor.hold(QStringLiteral("ringing"));
        QTest::qWait(300); // the answers, "no such service", arrive
        inhibitor.release();
        unconnectedInhibitor.release();
        qInstallMessageHandler(previous);
        QCOMPARE(captured, QList<QByteArray>());
    }

    void inhibitorHoldsLogindsLock() {
        const QDBusConnection bus = start(logindPolicy);
        QDBusConnection logindBus = m_bus->connect(QStringLiteral("logind"));
        FakeLogind logind;
        QVERIFY(logindBus.registerObject(QStringLiteral("/org/freedesktop/login1"), &logind,
                                         QDBusConnection::ExportAllSlots |
                                             QDBusConnection::ExportAllSignals));
        QVERIFY(logindBus.registerService(QStringLiteral("org.freedesktop.login1")));
        LogindInhibitor inhibitor(bus);

        inhibitor.hold(QStringLiteral("The alarm is ringing"));
        inhibitor.hold(QStringLiteral("again")); // one lock, not two
        QTRY_COMPARE(logind.calls.size(), 1);
        QCOMPARE(logind.calls.first(),
                 QStringLiteral("handle-lid-switch:sleep|Vekora|The alarm is ringing|block"));
        QTest::qWait(100);
        QCOMPARE(logind.calls.size(), 1);
        QVERIFY(!logind.released(0));
        inhibitor.release();
        QTRY_VERIFY(logind.released(0));

        // Released before logind answered: the lock is let go as it arrives.
        inhibitor.hold(QStringLiteral("The alarm is ringing"));
        inhibitor.release();
        QTRY_COMPARE(logind.calls.size(), 2);
        QTRY_VERIFY(logind.released(1));

        // Resuming is reported; going to sleep is not.
        QSignalSpy resumed(&inhibitor, &SleepInhibitor::resumed);
        emit logind.PrepareForSleep(true);
        emit logind.PrepareForSleep(false);
        QTRY_COMPARE(resumed.size(), 1);
        QTest::qWait(100);
        QCOMPARE(resumed.size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestWakeClient)
#include "tst_wakeclient.moc"
