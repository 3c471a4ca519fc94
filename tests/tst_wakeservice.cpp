// vekora-wake on a private bus shaped like the system bus, with its real policy file.

#include "wakebus.h"

#include <QDBusMessage>
#include <QDateTime>
#include <QTest>

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
} // namespace

class TestWakeService : public QObject {
    Q_OBJECT
    std::unique_ptr<PrivateSystemBus> m_bus;
    QDBusConnection m_me{QString()};

    // A fresh bus and helper for each test; the helper runs as the test's own user.
    bool startBus(const Account &helperUser, const QStringList &options) {
        m_bus = std::make_unique<PrivateSystemBus>();
        const QString error = m_bus->start(helperUser);
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
        const QString denied = QStringLiteral("org.freedesktop.DBus.Error.AccessDenied");
        const QString set = QStringLiteral("SetWakeup");
        QTest::newRow("zero") << set << QVariantList{0ULL} << outOfRange;
        QTest::newRow("an hour ago") << set << QVariantList{now() - 3600} << outOfRange;
        QTest::newRow("nine days ahead") << set << QVariantList{now() + 9 * day} << outOfRange;
        QTest::newRow("largest") << set << QVariantList{~0ULL} << outOfRange;
        QTest::newRow("text") << set << QVariantList{QStringLiteral("tomorrow")} << invalidArgs;
        QTest::newRow("signed") << set << QVariantList{qlonglong(now() + 60)} << invalidArgs;
        QTest::newRow("32 bits") << set << QVariantList{uint(now() + 60)} << invalidArgs;
        QTest::newRow("two times") << set << QVariantList{now() + 60, now() + 120} << invalidArgs;
        QTest::newRow("no time") << set << QVariantList{} << invalidArgs;
        QTest::newRow("clear with a time")
            << QStringLiteral("ClearWakeup") << QVariantList{now() + 60} << invalidArgs;
        QTest::newRow("get with a time")
            << QStringLiteral("GetWakeup") << QVariantList{0ULL} << invalidArgs;
        // The policy lets only the three methods through.
        QTest::newRow("other method") << QStringLiteral("SetClock") << QVariantList{} << denied;
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
        QCOMPARE(errorOf(m_me.call(call(QStringLiteral("GetWakeup")))), notPermitted);
        QCOMPARE(errorOf(m_me.call(call(QStringLiteral("ClearWakeup")))), notPermitted);
        m_bus->stopHelper();
        const QByteArray log = m_bus->helper.readAllStandardError();
        QCOMPARE(log.count("CAP_WAKE_ALARM"), 1);
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
};

QTEST_GUILESS_MAIN(TestWakeService)
#include "tst_wakeservice.moc"
