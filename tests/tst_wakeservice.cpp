// vekora-wake on a private bus shaped like the system bus, with its real policy file; and the
// program's side: the wake-up time through the helper, the sleep lock through a logind stand-in.

#include "platform/dbuswakescheduler.h"
#include "platform/logindinhibitor.h"
#include "wakebus.h"

#include <QDBusUnixFileDescriptor>
#include <QDateTime>
#include <poll.h>

using namespace wakebus;

static qint64 now() {
    return QDateTime::currentSecsSinceEpoch();
}

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

class TestWakeService : public QObject {
    Q_OBJECT
    const Account me = Account::self();
    const QString errors = service + ".Error.";

private slots:
    // Each caller is the user the bus daemon vouches for: two users set, read and clear their
    // own times without touching the other's; and only the helper's user may take its name.
    void twoUsersApart() {
        if (geteuid() != 0)
            QSKIP("a second caller needs another user: run as root (it then calls as 'nobody')");
        const Account other = Account::nobody();
        PrivateSystemBus bus;
        QVERIFY(bus.start() && bus.startHelper());
        const QString mine = QString::number(now() + 3600), theirs = QString::number(now() + 7200);
        const auto both = [&] {
            return bus.call(me, "GetWakeup") + ' ' + bus.call(other, "GetWakeup");
        };
        QCOMPARE(bus.call(me, "SetWakeup", {"uint64:" + mine}), QString());
        QCOMPARE(both(), mine + " 0");
        QCOMPARE(bus.call(other, "SetWakeup", {"uint64:" + theirs}), QString());
        QCOMPARE(both(), mine + ' ' + theirs);
        QCOMPARE(bus.call(other, "ClearWakeup"), QString());
        QCOMPARE(both(), mine + " 0");
        QCOMPARE(bus.call(me, "ClearWakeup"), QString());
        QCOMPARE(both(), "0 0");
        bus.stopHelper();
        QVERIFY(!bus.startHelper(other));
        QVERIFY(bus.helper.readAllStandardError().contains("not allowed to own"));
    }

    // One row per error the callers can meet; the time held stays.
    void refused_data() {
        QTest::addColumn<QStringList>("call"); // the method, then dbus-send's arguments
        QTest::addColumn<QString>("error");
        QTest::newRow("an hour ago")
            << QStringList{"SetWakeup", "uint64:" + QString::number(now() - 3600)}
            << errors + "OutOfRange";
        QTest::newRow("text") << QStringList{"SetWakeup", "string:tomorrow"}
                              << "org.freedesktop.DBus.Error.InvalidArgs";
        // The policy lets only the three methods through.
        QTest::newRow("other method")
            << QStringList{"SetClock"} << "org.freedesktop.DBus.Error.AccessDenied";
    }
    void refused() {
        QFETCH(QStringList, call);
        QFETCH(QString, error);
        PrivateSystemBus bus;
        QVERIFY(bus.start() && bus.startHelper());
        const QString held = QString::number(now() + 600);
        QCOMPARE(bus.call(me, "SetWakeup", {"uint64:" + held}), QString());
        QCOMPARE(bus.call(me, call.first(), call.mid(1)) + ' ' + bus.call(me, "GetWakeup"),
                 error + ' ' + held);
    }

    // Where the kernel refuses the wake-up clock, every call says so, and the helper says it
    // once in its log.
    void notPermitted() {
        const Account helper = geteuid() == 0 ? Account::nobody() : me;
        PrivateSystemBus bus;
        QVERIFY(bus.start(helper) && bus.startHelper(helper, {}));
        if (bus.call(me, "GetWakeup").isEmpty())
            QSKIP("this user may set wake-up alarms; nothing to refuse");
        QCOMPARE(bus.call(me, "ClearWakeup"), errors + "NotPermitted");
        bus.stopHelper();
        QCOMPARE(bus.helper.readAllStandardError().count("CAP_WAKE_ALARM"), 1);
    }

    // The program's scheduler sets and clears its user's time, and tells a restarted helper,
    // which has forgotten all, again.
    void schedulerThroughTheHelper() {
        PrivateSystemBus bus;
        QVERIFY(bus.start() && bus.startHelper());
        DBusWakeScheduler scheduler(bus.me);
        const qint64 ringing = now() + 3 * 3600;
        scheduler.setWakeup(ringing);
        QTRY_COMPARE(bus.call(me, "GetWakeup"), QString::number(ringing));
        bus.stopHelper();
        QVERIFY(bus.startHelper());
        QTRY_COMPARE(bus.call(me, "GetWakeup"), QString::number(ringing));
        scheduler.clearWakeup();
        QTRY_COMPARE(bus.call(me, "GetWakeup"), "0");
    }

    // Without the helper, or without a system bus, the program carries on as before: not a word.
    void silentWithoutHelper() {
        PrivateSystemBus bus;
        QVERIFY(bus.start());
        static QStringList said;
        const QtMessageHandler previous = qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext &, const QString &text) { said << text; });
        for (const QDBusConnection &system : {bus.me, QDBusConnection("no such bus")}) {
            DBusWakeScheduler scheduler(system);
            LogindInhibitor inhibitor(system);
            scheduler.setWakeup(now() + 3600);
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
        PrivateSystemBus bus;
        QVERIFY(bus.start(me, R"(<policy context="default"><allow own="org.freedesktop.login1"/>
            <allow send_destination="org.freedesktop.login1"/></policy>)"));
        QDBusConnection logindBus = QDBusConnection::connectToBus(bus.address, "logind");
        FakeLogind logind;
        QVERIFY(logindBus.registerObject("/org/freedesktop/login1", &logind,
                                         QDBusConnection::ExportAllSlots));
        QVERIFY(logindBus.registerService("org.freedesktop.login1"));
        LogindInhibitor inhibitor(bus.me);
        inhibitor.hold("The alarm is ringing");
        inhibitor.hold("again");
        QTRY_VERIFY(logind.lock >= 0);
        QVERIFY(!logind.released());
        inhibitor.release();
        QTRY_VERIFY(logind.released());
        QCOMPARE(logind.calls, {"handle-lid-switch:sleep|Vekora|The alarm is ringing|block"});
        QDBusConnection::disconnectFromBus("logind");
    }
};

QTEST_GUILESS_MAIN(TestWakeService)
#include "tst_wakeservice.moc"
