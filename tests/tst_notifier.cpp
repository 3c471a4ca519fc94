#include "fakes.h"
#include "platform/dbusnotifier.h"

#include <QPushButton>

#include <QDBusConnection>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

namespace {
const QString busName = QStringLiteral("org.freedesktop.Notifications");

struct NotifyCall {
    uint replacesId;
    QString summary, body;
    QStringList actions;
    QVariantMap hints;
    uint id; // what we answered
};
} // namespace

// A notification server that records what it is asked and fires its signals on request.
class FakeNotifications : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    QList<NotifyCall> notifies;
    QList<uint> closes;

public slots:
    uint Notify(const QString &, uint replacesId, const QString &, const QString &summary,
                const QString &body, const QStringList &actions, const QVariantMap &hints, int) {
        const uint id = replacesId ? replacesId : 101 + uint(notifies.size());
        notifies.append({replacesId, summary, body, actions, hints, id});
        return id;
    }
    void CloseNotification(uint id) { closes.append(id); }

signals:
    void ActionInvoked(uint id, const QString &actionKey);
    void NotificationClosed(uint id, uint reason);
};

// Runs against a private bus daemon so the user's own notification service never sees the tests.
class TestNotifier : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QProcess m_daemon;
    std::unique_ptr<QDBusConnection> m_client, m_server;
    FakeNotifications m_fake;
    std::unique_ptr<DBusNotifier> m_notifier;

private slots:
    void initTestCase() {
        if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty())
            QSKIP("dbus-daemon is not installed (Debian package dbus); cannot test notifications");
        // No service directories: nothing on this bus can be started on demand behind our back.
        QFile config(m_dir.filePath(QStringLiteral("bus.conf")));
        QVERIFY(config.open(QIODevice::WriteOnly));
        config.write(
            "<busconfig><type>session</type><listen>unix:dir=" + QFile::encodeName(m_dir.path()) +
            "</listen><policy context=\"default\"><allow send_destination=\"*\"/>"
            "<allow receive_sender=\"*\"/><allow own=\"*\"/></policy></busconfig>\n");
        config.close();
        m_daemon.start("dbus-daemon",
                       {"--config-file=" + config.fileName(), "--nofork", "--print-address"});
        while (!m_daemon.canReadLine() && m_daemon.waitForReadyRead(10000)) {
        }
        const QString address = QString::fromUtf8(m_daemon.readLine().trimmed());
        QVERIFY2(!address.isEmpty(), "dbus-daemon did not start");

        m_client =
            std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(address, "client"));
        m_server =
            std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(address, "server"));
        QVERIFY(m_client->isConnected() && m_server->isConnected());
        QVERIFY(m_server->registerObject(QStringLiteral("/org/freedesktop/Notifications"), &m_fake,
                                         QDBusConnection::ExportAllSlots |
                                             QDBusConnection::ExportAllSignals));
    }

    void cleanupTestCase() {
        m_notifier.reset();
        m_client.reset();
        m_server.reset();
        QDBusConnection::disconnectFromBus(QStringLiteral("client"));
        QDBusConnection::disconnectFromBus(QStringLiteral("server"));
        m_daemon.terminate();
        m_daemon.waitForFinished(3000);
    }

    void init() {
        m_fake.notifies.clear();
        m_fake.closes.clear();
        QVERIFY(m_server->registerService(busName));
        m_notifier = std::make_unique<DBusNotifier>(*m_client);
    }
    void cleanup() {
        m_notifier.reset();
        m_server->unregisterService(busName);
    }

    void ringingWindowNotifiesAndIsStoppedFromIt() {
        TestRig rig;
        Platform platform = rig.platform();
        platform.notifier = m_notifier.get();
        QStringList ini = iniWithAlarm(QStringLiteral("07:30"));
        ini[6] = QStringLiteral("Stand-up");
        rig.writeIni(ini);
        rig.clock.set(QDate(2026, 12, 7), 7, 30);
        Form1 form(platform);
        form.findChild<QTimer *>(QStringLiteral("Timer1"))->stop();
        form.Form_Load();
        form.Timer1_Timer();
        QCOMPARE(form.model().switchState(), std::optional(SwitchState::Ringing));
        QTRY_COMPARE(m_fake.notifies.size(), 1);
        const NotifyCall call = m_fake.notifies.first();
        QCOMPARE(call.summary, QStringLiteral("Alarm !!!"));
        QCOMPARE(call.body, QStringLiteral("Stand-up"));
        QCOMPARE(call.actions, (QStringList{QStringLiteral("stop"), QStringLiteral("Stop")}));
        // Servers ignore an urgency of any other D-Bus type than byte.
        const QVariant urgency = call.hints.value(QStringLiteral("urgency"));
        QCOMPARE(urgency.metaType(), QMetaType::fromType<uchar>());
        QCOMPARE(urgency.value<uchar>(), uchar(2));
        emit m_fake.ActionInvoked(call.id, QStringLiteral("stop"));
        QTRY_COMPARE(form.model().switchState(), std::optional(SwitchState::Armed));
        QTRY_COMPARE(m_fake.closes, QList<uint>{call.id});

        // Next day only our own notification's Stop counts; then the switch itself stops it, and
        // the notification goes with it.
        rig.clock.advance(86399);
        form.Timer1_Timer();
        rig.clock.advance(1);
        form.Timer1_Timer();
        QTRY_COMPARE(m_fake.notifies.size(), 2);
        const uint id = m_fake.notifies[1].id;
        emit m_fake.ActionInvoked(id + 1, QStringLiteral("stop")); // someone else's notification
        emit m_fake.ActionInvoked(id, QStringLiteral("default"));  // a click on the body
        QTest::qWait(200);
        QCOMPARE(form.model().switchState(), std::optional(SwitchState::Ringing));
        QTest::mouseClick(form.findChild<QPushButton *>(QStringLiteral("CmdStop")), Qt::LeftButton);
        QCOMPARE(form.model().switchState(), std::optional(SwitchState::Armed));
        QTRY_COMPARE(m_fake.closes.size(), 2);
    }

    void callsBeforeTheIdIsKnown() {
        m_notifier->withdraw(); // nothing shown yet: nothing to close
        m_notifier->show(QStringLiteral("Alarm !!!"), QStringLiteral("one"));
        m_notifier->withdraw(); // the id is still on its way
        QTRY_COMPARE(m_fake.closes.size(), 1);
        QCOMPARE(m_fake.closes.first(), m_fake.notifies.first().id);

        m_notifier->show(QStringLiteral("Alarm !!!"), QStringLiteral("two"));
        m_notifier->show(QStringLiteral("Alarm !!!"), QStringLiteral("three")); // replaces, no pile
        QTRY_COMPARE(m_fake.notifies.size(), 3);
        QCOMPARE(m_fake.notifies[2].replacesId, m_fake.notifies[1].id);
        QCOMPARE(m_fake.notifies[2].body, QStringLiteral("three"));
        m_notifier.reset(); // a notification outliving the program would offer a dead Stop
        QTRY_COMPARE(m_fake.closes.size(), 2);
        QCOMPARE(m_fake.closes.last(), m_fake.notifies[1].id);
    }

    void missingServiceIsQuietAndForgotten() {
        m_server->unregisterService(busName);
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
        m_notifier->show(QStringLiteral("Alarm !!!"), QStringLiteral("lost"));
        QTest::qWait(200); // the bus answers with an error, which must pass quietly
        // A service that starts later still gets the next alarm, as a new notification.
        QVERIFY(m_server->registerService(busName));
        m_notifier->show(QStringLiteral("Alarm !!!"), QStringLiteral("Wake up"));
        QTRY_COMPARE(m_fake.notifies.size(), 1);
        QCOMPARE(m_fake.notifies.first().replacesId, 0u);
    }
};

QTEST_MAIN(TestNotifier)
#include "tst_notifier.moc"
