#include "fakes.h"
#include "platform/dbusnotifier.h"

#include <QLineEdit>
#include <QPushButton>

#include <QDBusConnection>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {
const QString busName = QStringLiteral("org.freedesktop.Notifications");
const QString objectPath = QStringLiteral("/org/freedesktop/Notifications");

struct NotifyCall {
    QString appName;
    uint replacesId;
    QString icon, summary, body;
    QStringList actions;
    QVariantMap hints;
    int timeout;
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
    uint Notify(const QString &appName, uint replacesId, const QString &icon,
                const QString &summary, const QString &body, const QStringList &actions,
                const QVariantMap &hints, int timeout) {
        const uint id = replacesId ? replacesId : ++m_lastId;
        notifies.append({appName, replacesId, icon, summary, body, actions, hints, timeout, id});
        return id;
    }
    void CloseNotification(uint id) { closes.append(id); }

signals:
    void ActionInvoked(uint id, const QString &actionKey);
    void NotificationClosed(uint id, uint reason);

private:
    uint m_lastId = 100;
};

// Runs against a private bus daemon so the user's own notification service never sees the tests.
class TestNotifier : public QObject {
    Q_OBJECT
public:
    ~TestNotifier() override { stopBus(); }

private slots:
    void initTestCase();
    void cleanupTestCase() { stopBus(); }
    void init();
    void cleanup();

    void showSendsAlarmNotification();
    void stopActionOfOwnNotificationOnly();
    void withdrawClosesShownNotification();
    void secondShowReplacesFirst();
    void destructionClosesNotification();
    void withoutServiceNothingHappens();
    void ringingWindowNotifiesAndIsStoppedFromIt();

private:
    uint showAndLearnId(DBusNotifier &notifier); // returns once the notifier surely knows the id
    void stopBus();

    QTemporaryDir m_dir;
    QProcess m_daemon;
    std::unique_ptr<QDBusConnection> m_client, m_server;
    FakeNotifications m_fake;
    std::unique_ptr<DBusNotifier> m_notifier;
};

void TestNotifier::initTestCase() {
    if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty())
        QSKIP("dbus-daemon is not installed (Debian package dbus); cannot test notifications");
    QVERIFY(m_dir.isValid());
    // No service directories: nothing on this bus can be started on demand behind our back.
    const QString config = m_dir.filePath(QStringLiteral("bus.conf"));
    QFile file(config);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\""
               " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
               "<busconfig><type>session</type><auth>EXTERNAL</auth><listen>unix:dir=" +
               m_dir.path().toUtf8() +
               "</listen><policy context=\"default\"><allow send_destination=\"*\"/><allow "
               "receive_sender=\"*\"/>"
               "<allow own=\"*\"/></policy></busconfig>\n");
    file.close();

    m_daemon.start(QStringLiteral("dbus-daemon"),
                   {QStringLiteral("--config-file=") + config, QStringLiteral("--nofork"),
                    QStringLiteral("--print-address")});
    QVERIFY2(m_daemon.waitForStarted(5000), qPrintable(m_daemon.errorString()));
    while (!m_daemon.canReadLine() && m_daemon.waitForReadyRead(10000)) {
    }
    const QString address = QString::fromUtf8(m_daemon.readLine().trimmed());
    QVERIFY2(!address.isEmpty(), "dbus-daemon did not print its address");

    m_client = std::make_unique<QDBusConnection>(
        QDBusConnection::connectToBus(address, QStringLiteral("client")));
    m_server = std::make_unique<QDBusConnection>(
        QDBusConnection::connectToBus(address, QStringLiteral("server")));
    QVERIFY(m_client->isConnected() && m_server->isConnected());
    QVERIFY(m_server->registerObject(
        objectPath, &m_fake, QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals));
}

void TestNotifier::init() {
    m_fake.notifies.clear();
    m_fake.closes.clear();
    QVERIFY(m_server->registerService(busName));
    m_notifier = std::make_unique<DBusNotifier>(*m_client);
}

void TestNotifier::cleanup() {
    m_notifier.reset();
    m_server->unregisterService(busName);
}

uint TestNotifier::showAndLearnId(DBusNotifier &notifier) {
    QSignalSpy stops(&notifier, &AlarmNotifier::stopRequested);
    const qsizetype before = m_fake.notifies.size();
    notifier.show(QStringLiteral("Alarm !!!"), QStringLiteral("Wake up"));
    if (!QTest::qWaitFor([&] { return m_fake.notifies.size() > before; }))
        return 0;
    // Signals follow the Notify reply on the same connection, so once the action gets through
    // the notifier has learnt the id.
    const uint id = m_fake.notifies.last().id;
    emit m_fake.ActionInvoked(id, QStringLiteral("stop"));
    return QTest::qWaitFor([&] { return stops.count() == 1; }) ? id : 0;
}

void TestNotifier::showSendsAlarmNotification() {
    m_notifier->show(QStringLiteral("Alarm !!!"), QStringLiteral("Wake up\nnow"));
    QTRY_COMPARE(m_fake.notifies.size(), 1);
    const NotifyCall &call = m_fake.notifies.first();
    QCOMPARE(call.appName, QStringLiteral("Vekora"));
    QCOMPARE(call.replacesId, 0u);
    QCOMPARE(call.icon, QStringLiteral("vekora"));
    QCOMPARE(call.summary, QStringLiteral("Alarm !!!"));
    QCOMPARE(call.body, QStringLiteral("Wake up\nnow"));
    QCOMPARE(call.actions, (QStringList{QStringLiteral("stop"), QStringLiteral("Stop")}));
    // Servers ignore an urgency of any other D-Bus type than byte.
    const QVariant urgency = call.hints.value(QStringLiteral("urgency"));
    QCOMPARE(urgency.metaType(), QMetaType::fromType<uchar>());
    QCOMPARE(urgency.value<uchar>(), uchar(2));
    QCOMPARE(call.hints.value(QStringLiteral("desktop-entry")).toString(),
             QStringLiteral("vekora"));
    QCOMPARE(call.timeout, 0);
}

void TestNotifier::stopActionOfOwnNotificationOnly() {
    QSignalSpy stops(m_notifier.get(), &AlarmNotifier::stopRequested);
    const uint id = showAndLearnId(*m_notifier);
    QVERIFY(id);
    QCOMPARE(stops.count(), 1);
    emit m_fake.ActionInvoked(id + 1, QStringLiteral("stop")); // someone else's notification
    emit m_fake.ActionInvoked(id, QStringLiteral("default"));  // a click on the body
    emit m_fake.NotificationClosed(id, 2);                     // dismissed: no longer ours
    emit m_fake.ActionInvoked(id, QStringLiteral("stop"));
    emit m_fake.ActionInvoked(id, QStringLiteral("other")); // a marker to wait for
    QTest::qWait(200);
    QCOMPARE(stops.count(), 1);
}

void TestNotifier::withdrawClosesShownNotification() {
    m_notifier->withdraw(); // nothing shown yet: nothing to close
    m_notifier->show(QStringLiteral("Alarm !!!"), QString());
    m_notifier->withdraw(); // may come before the id is known
    QTRY_COMPARE(m_fake.closes.size(), 1);
    QCOMPARE(m_fake.closes.first(), m_fake.notifies.first().id);

    const uint id = showAndLearnId(*m_notifier);
    QVERIFY(id);
    m_notifier->withdraw();
    m_notifier->withdraw(); // the second has nothing left to close
    QTRY_COMPARE(m_fake.closes.size(), 2);
    QCOMPARE(m_fake.closes.last(), id);
    QTest::qWait(100);
    QCOMPARE(m_fake.closes.size(), 2);
}

void TestNotifier::secondShowReplacesFirst() {
    m_notifier->show(QStringLiteral("Alarm !!!"), QStringLiteral("one"));
    m_notifier->show(QStringLiteral("Alarm !!!"), QStringLiteral("two")); // while the first flies
    QTRY_COMPARE(m_fake.notifies.size(), 2);
    QCOMPARE(m_fake.notifies[1].replacesId, m_fake.notifies[0].id);
    QCOMPARE(m_fake.notifies[1].body, QStringLiteral("two"));

    m_notifier->show(QStringLiteral("Alarm !!!"), QStringLiteral("three"));
    QTRY_COMPARE(m_fake.notifies.size(), 3);
    QCOMPARE(m_fake.notifies[2].replacesId, m_fake.notifies[0].id);
}

void TestNotifier::destructionClosesNotification() {
    const uint id = showAndLearnId(*m_notifier);
    QVERIFY(id);
    m_notifier.reset();
    QTRY_VERIFY(m_fake.closes.contains(id));
}

void TestNotifier::withoutServiceNothingHappens() {
    m_server->unregisterService(busName);
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    QSignalSpy stops(m_notifier.get(), &AlarmNotifier::stopRequested);
    m_notifier->show(QStringLiteral("Alarm !!!"), QStringLiteral("Wake up"));
    QTest::qWait(200); // the bus answers with an error, which must pass quietly
    m_notifier->show(QStringLiteral("Alarm !!!"), QStringLiteral("Wake up"));
    m_notifier->withdraw();
    QTest::qWait(200);
    QVERIFY(m_fake.notifies.isEmpty());
    QVERIFY(m_fake.closes.isEmpty());
    QCOMPARE(stops.count(), 0);
}

void TestNotifier::ringingWindowNotifiesAndIsStoppedFromIt() {
    TestRig rig;
    Platform platform = rig.platform();
    platform.notifier = m_notifier.get();
    rig.writeIni(iniWithAlarm(QStringLiteral("07:30")));
    rig.clock.set(QDate(2026, 12, 7), 7, 29, 59);
    Form1 form(platform);
    form.findChild<QTimer *>(QStringLiteral("Timer1"))->stop();
    form.Form_Load();
    form.findChild<QLineEdit *>(QStringLiteral("txtMsg"))->setText(QStringLiteral("Stand-up"));

    rig.clock.advance(1);
    form.Timer1_Timer();
    QCOMPARE(form.switchState(), std::optional(SwitchState::Ringing));
    QTRY_COMPARE(m_fake.notifies.size(), 1);
    const NotifyCall call = m_fake.notifies.first();
    QCOMPARE(call.summary, QStringLiteral("Alarm !!!"));
    QCOMPARE(call.body, QStringLiteral("Stand-up"));
    QCOMPARE(call.hints.value(QStringLiteral("urgency")).value<uchar>(), uchar(2));
    QCOMPARE(call.actions.first(), QStringLiteral("stop"));
    emit m_fake.ActionInvoked(call.id, QStringLiteral("stop"));
    QTRY_COMPARE(form.switchState(), std::optional(SwitchState::Armed));
    QTRY_COMPARE(m_fake.closes, QList<uint>{call.id});

    // Next day the switch itself stops it, and the notification goes with it.
    rig.clock.advance(86399);
    form.Timer1_Timer();
    rig.clock.advance(1);
    form.Timer1_Timer();
    QTRY_COMPARE(m_fake.notifies.size(), 2);
    QTest::mouseClick(form.findChild<QPushButton *>(QStringLiteral("CmdStop")), Qt::LeftButton);
    QCOMPARE(form.switchState(), std::optional(SwitchState::Armed));
    QTRY_COMPARE(m_fake.closes.size(), 2);
}

void TestNotifier::stopBus() {
    m_notifier.reset();
    m_client.reset();
    m_server.reset();
    QDBusConnection::disconnectFromBus(QStringLiteral("client"));
    QDBusConnection::disconnectFromBus(QStringLiteral("server"));
    if (m_daemon.state() != QProcess::NotRunning) {
        m_daemon.terminate();
        if (!m_daemon.waitForFinished(3000)) {
            m_daemon.kill();
            m_daemon.waitForFinished(3000);
        }
    }
}

QTEST_MAIN(TestNotifier)
#include "tst_notifier.moc"
