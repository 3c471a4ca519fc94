// vekora-wake on a private bus shaped like the system bus, with its real policy file; and the
// program's side: the wake-up time through the helper, the sleep lock through a logind stand-in.

#include "platform/dbuswakescheduler.h"
#include "platform/logindinhibitor.h"
#include "wakebus.h"

#include <QDBusMessage>
#include <QDBusUnixFileDescriptor>
#include <QDateTime>
#include <QSignalSpy>
#include <QTest>
#include <poll.h>

using namespace wakebus;

namespace {
qulonglong now() {
    return qulonglong(QDateTime::currentSecsSinceEpoch());
}
constexpr qulonglong day = 24 * 3600;

QDBusMessage call(const QString &method, const QVariantList &args = {}) {
    QDBusMessage m = QDBusMessage::createMethodCall(service, path, service, method);
    m.setArguments(args);
    return m;
}
QString errorOf(const QDBusMessage &reply) {
    return reply.type() == QDBusMessage::ErrorMessage ? reply.errorName() : QString();
}

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

class TestWakeService : public QObject {
    Q_OBJECT
    std::unique_ptr<PrivateSystemBus> m_bus;
    QDBusConnection m_me{QString()};

    // A fresh bus for each test, and the helper unless the options say --no-start.
    bool startBus(const Account &helperUser, const QStringList &options,
                  const QString &extraPolicy = {}) {
        m_bus = std::make_unique<PrivateSystemBus>();
        const QString error = m_bus->start(helperUser, extraPolicy);
        if (!error.isEmpty())
            qWarning("%s", qPrintable(error));
        QDBusConnection::disconnectFromBus(QStringLiteral("me"));
        m_me = m_bus->connect(QStringLiteral("me"));
        return error.isEmpty() && m_me.isConnected() &&
               (options.contains(QStringLiteral("--no-start")) ||
                m_bus->startHelper(helperUser, options));
    }
    qulonglong myWakeup() {
        const QDBusMessage reply = m_me.call(call(QStringLiteral("GetWakeup")));
        return reply.arguments().value(0).toULongLong();
    }

private slots:
    void initTestCase() {
        if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty())
            QSKIP("dbus-daemon is not installed (Debian package dbus)");
    }
    void cleanup() {
        QDBusConnection::disconnectFromBus(QStringLiteral("me"));
        QDBusConnection::disconnectFromBus(QStringLiteral("logind"));
        m_bus.reset();
    }

    // Each caller is the user the bus daemon vouches for: two users set, read and clear their
    // own times without touching the other's.
    void twoUsersApart() {
        const std::optional<Account> other = otherUser();
        if (!other)
            QSKIP("a second caller needs another user: run as root (it then calls as 'nobody' "
                  "through setpriv)");
        QVERIFY(startBus(me(), {QStringLiteral("--plain-clock")}));
        const qulonglong mine = now() + 3600, theirs = now() + 7200;

        QCOMPARE(errorOf(m_me.call(call(QStringLiteral("SetWakeup"), {mine}))), QString());
        QCOMPARE(m_bus->callAs(*other, QStringLiteral("GetWakeup")), QStringLiteral("0"));
        QCOMPARE(m_bus->callAs(*other, QStringLiteral("SetWakeup"),
                               {QStringLiteral("uint64:%1").arg(theirs)}),
                 QString());
        QCOMPARE(myWakeup(), mine);
        QCOMPARE(m_bus->callAs(*other, QStringLiteral("GetWakeup")), QString::number(theirs));

        QCOMPARE(m_bus->callAs(*other, QStringLiteral("ClearWakeup")), QString());
        QCOMPARE(myWakeup(), mine);
        QCOMPARE(m_bus->callAs(*other, QStringLiteral("GetWakeup")), QStringLiteral("0"));
        QCOMPARE(errorOf(m_me.call(call(QStringLiteral("ClearWakeup")))), QString());
        QCOMPARE(myWakeup(), 0ULL);

        // Nobody but the helper's own user may take its name.
        m_bus->stopHelper();
        QVERIFY(!m_bus->startHelper(*other, {QStringLiteral("--plain-clock")}));
        QVERIFY(m_bus->helper.readAllStandardError().contains("not allowed to own"));
    }

    void refused_data() {
        QTest::addColumn<QString>("method");
        QTest::addColumn<QVariantList>("args");
        QTest::addColumn<QString>("error");
        const QString outOfRange = errors + QStringLiteral("OutOfRange");
        const QString invalidArgs = QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs");
        const QString set = QStringLiteral("SetWakeup");
        QTest::newRow("an hour ago") << set << QVariantList{now() - 3600} << outOfRange;
        QTest::newRow("nine days ahead") << set << QVariantList{now() + 9 * day} << outOfRange;
        QTest::newRow("text") << set << QVariantList{QStringLiteral("tomorrow")} << invalidArgs;
        QTest::newRow("signed") << set << QVariantList{qlonglong(now() + 60)} << invalidArgs;
        QTest::newRow("no time") << set << QVariantList{} << invalidArgs;
        QTest::newRow("clear with a time")
            << QStringLiteral("ClearWakeup") << QVariantList{now() + 60} << invalidArgs;
        // The policy lets only the three methods through.
        QTest::newRow("other method") << QStringLiteral("SetClock") << QVariantList{}
                                      << QStringLiteral("org.freedesktop.DBus.Error.AccessDenied");
    }
    void refused() {
        QFETCH(QString, method);
        QFETCH(QVariantList, args);
        QFETCH(QString, error);
        QVERIFY(startBus(me(), {QStringLiteral("--plain-clock")}));
        const qulonglong held = now() + 600;
        QCOMPARE(errorOf(m_me.call(call(QStringLiteral("SetWakeup"), {held}))), QString());
        QCOMPARE(errorOf(m_me.call(call(method, args))), error);
        QCOMPARE(myWakeup(), held);
    }

    // Where the kernel refuses the wake-up clock, every call says so, and the helper says it
    // once in its log.
    void notPermitted() {
        std::optional<Account> helperUser = geteuid() == 0 ? otherUser() : me();
        if (!helperUser)
            QSKIP("root cannot run the helper as 'nobody' here (setpriv or the user is missing)");
        QVERIFY(startBus(*helperUser, {}));
        const QString notPermitted = errors + QStringLiteral("NotPermitted");
        if (errorOf(m_me.call(call(QStringLiteral("GetWakeup")))).isEmpty())
            QSKIP("this user may set wake-up alarms; nothing to refuse");
        QCOMPARE(errorOf(m_me.call(call(QStringLiteral("SetWakeup"), {now() + 600}))),
                 notPermitted);
        QCOMPARE(errorOf(m_me.call(call(QStringLiteral("ClearWakeup")))), notPermitted);
        m_bus->stopHelper();
        QCOMPARE(m_bus->helper.readAllStandardError().count("CAP_WAKE_ALARM"), 1);
    }

    // A time that has come is dropped, and with nothing held the helper ends by itself.
    void spentAndIdle() {
        QVERIFY(startBus(me(), {QStringLiteral("--plain-clock"), QStringLiteral("--idle=1")}));
        const qulonglong soon = now() + 3;
        QCOMPARE(errorOf(m_me.call(call(QStringLiteral("SetWakeup"), {soon}))), QString());
        QTest::qWait(1500); // longer than the idle time, but something is held
        QCOMPARE(m_bus->helper.state(), QProcess::Running);
        QCOMPARE(myWakeup(), soon);
        QTRY_COMPARE_WITH_TIMEOUT(m_bus->helper.state(), QProcess::NotRunning, 10000);
        QCOMPARE(m_bus->helper.exitStatus(), QProcess::NormalExit);
        QCOMPARE(m_bus->helper.exitCode(), 0);
    }

    // The program's scheduler: a refused time (already past) must not leave the older one to
    // wake the machine for nothing, and a restarted helper, which has forgotten all, is told again.
    void schedulerThroughTheHelper() {
        QVERIFY(startBus(me(), {QStringLiteral("--plain-clock")}));
        DBusWakeScheduler scheduler(m_me);
        const qulonglong ringing = now() + 3 * 3600;
        scheduler.setWakeup(ringing);
        QTRY_COMPARE(myWakeup(), ringing);
        scheduler.setWakeup(now() - 30);
        QTRY_COMPARE(myWakeup(), 0ULL);
        scheduler.setWakeup(ringing);
        QTRY_COMPARE(myWakeup(), ringing);
        m_bus->stopHelper();
        QVERIFY(m_bus->startHelper(me(), {QStringLiteral("--plain-clock")}));
        QTRY_COMPARE(myWakeup(), ringing);
        scheduler.clearWakeup();
        QTRY_COMPARE(myWakeup(), 0ULL);
    }

    // Without the helper, or without a system bus, the program carries on as before: no
    // waiting and not a word.
    void silentWithoutHelper() {
        QVERIFY(startBus(me(), {QStringLiteral("--no-start")}));
        captured.clear();
        const QtMessageHandler previous = qInstallMessageHandler(capture);
        for (const QDBusConnection &bus : {m_me, QDBusConnection(QStringLiteral("no such bus"))}) {
            DBusWakeScheduler scheduler(bus);
            LogindInhibitor inhibitor(bus);
            scheduler.setWakeup(now() + 3600);
            scheduler.clearWakeup();
            inhibitor.hold(QStringLiteral("ringing"));
            QTest::qWait(300); // the answers, "no such service", arrive
            inhibitor.release();
        }
        qInstallMessageHandler(previous);
        QCOMPARE(captured, QList<QByteArray>());
    }

    void inhibitorHoldsLogindsLock() {
        QVERIFY(startBus(me(), {QStringLiteral("--no-start")},
                         QStringLiteral("<policy context=\"default\"><allow "
                                        "own=\"org.freedesktop.login1\"/><allow "
                                        "send_destination=\"org.freedesktop.login1\"/></policy>")));
        QDBusConnection logindBus = m_bus->connect(QStringLiteral("logind"));
        FakeLogind logind;
        QVERIFY(logindBus.registerObject(QStringLiteral("/org/freedesktop/login1"), &logind,
                                         QDBusConnection::ExportAllSlots |
                                             QDBusConnection::ExportAllSignals));
        QVERIFY(logindBus.registerService(QStringLiteral("org.freedesktop.login1")));
        LogindInhibitor inhibitor(m_me);

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
        QTRY_VERIFY(logind.calls.size() == 2 && logind.released(1));

        // Resuming is reported; going to sleep is not.
        QSignalSpy resumed(&inhibitor, &SleepInhibitor::resumed);
        emit logind.PrepareForSleep(true);
        emit logind.PrepareForSleep(false);
        QTRY_COMPARE(resumed.size(), 1);
        QTest::qWait(100);
        QCOMPARE(resumed.size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestWakeService)
#include "tst_wakeservice.moc"
