// The program's calls over D-Bus, each service played by a stand-in on a private bus: the alarm's
// notification, the wake-up time through vekora-wake, the sleep lock through logind.

#include "fakes.h"
#include "platform/dbusnotifier.h"
#include "platform/dbuswakescheduler.h"
#include "platform/logindinhibitor.h"

#include <QDBusContext>
#include <QDBusPendingCallWatcher>
#include <QDBusUnixFileDescriptor>
#include <QDateTime>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <poll.h>

namespace {
const QString wakeService = QStringLiteral("com.example.norvak.VekoraWake");
}

// A bus daemon of the test's own where anyone may own any name and call anything: the user's own
// services never see the tests, and nothing on it is started on demand behind their back.
class PrivateBus {
public:
    PrivateBus() {
        QFile config(m_dir.filePath(QStringLiteral("bus.conf")));
        if (config.open(QIODevice::WriteOnly))
            config.write("<busconfig><type>session</type><listen>unix:dir=" +
                         QFile::encodeName(m_dir.path()) +
                         "</listen><policy context=\"default\"><allow send_destination=\"*\"/>"
                         "<allow receive_sender=\"*\"/><allow own=\"*\"/></policy></busconfig>\n");
        config.close();
        m_daemon.start(QStringLiteral("dbus-daemon"),
                       {"--config-file=" + config.fileName(), "--nofork", "--print-address"});
        m_daemon.waitForReadyRead(10000);
        m_address = QString::fromUtf8(m_daemon.readLine().trimmed());
    }
    ~PrivateBus() {
        for (const QString &name : std::as_const(m_names))
            QDBusConnection::disconnectFromBus(name);
        m_daemon.terminate();
        m_daemon.waitForFinished();
    }
    // A connection of its own under `name`.
    QDBusConnection connect(const QString &name) {
        m_names << name;
        return QDBusConnection::connectToBus(m_address, name);
    }
    // A stand-in for a service: `object`'s slots at `path`, under the service's own name.
    bool serve(const QString &service, const QString &path, QObject *object) {
        QDBusConnection connection = connect(service);
        return connection.registerObject(path, object, QDBusConnection::ExportAllContents) &&
               connection.registerService(service);
    }

private:
    QTemporaryDir m_dir;
    QProcess m_daemon;
    QString m_address;
    QStringList m_names;
};

// A notification server that records what it is asked and fires its signals on request.
class FakeNotifications : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    QStringList calls;
    QStringList capabilities{QStringLiteral("actions")};

public slots:
    QStringList GetCapabilities() { return capabilities; }
    uint Notify(const QString &, uint, const QString &, const QString &summary, const QString &body,
                const QStringList &actions, const QVariantMap &hints, int) {
        // Servers ignore an urgency of any other D-Bus type than byte.
        const QVariant urgency = hints.value(QStringLiteral("urgency"));
        calls << QStringList{summary, body, actions.join(u','),
                             urgency.typeName() + QString::number(urgency.value<uchar>())}
                     .join(u'|');
        return 100 + uint(calls.size());
    }
    void CloseNotification(uint id) { calls << QStringLiteral("close %1").arg(id); }

signals:
    void ActionInvoked(uint id, const QString &actionKey);
    void ActivationToken(uint id, const QString &token);
};

// Holds nothing and answers as vekora-wake does, refusing a time in the past.
class FakeWakeHelper : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.example.norvak.VekoraWake")
public:
    QStringList calls;
    bool answers = true; // false: hangs as a helper the bus daemon is still waiting for

public slots:
    void SetWakeup(qulonglong when) {
        calls << QStringLiteral("set %1").arg(when);
        if (!answers)
            setDelayedReply(true); // and never replies
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

class TestDBus : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty())
            QSKIP("dbus-daemon is not installed (Debian package dbus)");
    }

    // Snoozed from its notification the alarm goes quiet, a notification of normal urgency tells
    // until when, and it rings again ten minutes later; stopped there, or by the switch, its
    // notification goes. A click on its body brings the window forward with the desktop's token
    // and leaves it ringing. The snooze's own action cancels it.
    void ringingAlarmIsSnoozedOrStoppedFromItsNotification() {
        PrivateBus bus;
        FakeNotifications notifications;
        QVERIFY2(bus.serve("org.freedesktop.Notifications", "/org/freedesktop/Notifications",
                           &notifications),
                 "no private bus");
        DBusNotifier notifier(bus.connect(QStringLiteral("client")));

        TestRig rig;
        Platform platform = rig.platform();
        platform.notifier = &notifier;
        QStringList ini = iniWithAlarm(QStringLiteral("07:30"));
        ini[6] = QStringLiteral("Stand-up");
        rig.writeIni(ini);
        rig.clock.set(QDate(2026, 12, 7), 7, 30);
        MainWindow form(platform);
        child<QTimer>(form, "tickTimer")->stop();
        form.start();
        form.controller().tick();
        const auto ticks = [&](int seconds) {
            rig.clock.advance(seconds);
            form.controller().tick();
        };
        const QString shown = QStringLiteral("Alarm !!!|Stand-up|stop,Stop,snooze,Snooze 10 "
                                             "min,default,Show the alarm|uchar2");
        const QString snoozed = QStringLiteral("Snoozed until 07:40|Stand-up|cancel-snooze,Cancel "
                                               "snooze|uchar1");
        // Every Notify answered: the notifier knows the ids the server's signals name. Under load
        // the answer can come after the call is seen, and fake time does not wait for it.
        const auto answered = [&notifier] {
            return notifier.findChildren<QDBusPendingCallWatcher *>().isEmpty();
        };
        QTRY_COMPARE(notifications.calls, QStringList{shown});
        QTRY_VERIFY(answered());
        emit notifications.ActivationToken(101, QStringLiteral("token-7"));
        emit notifications.ActionInvoked(101, QStringLiteral("default"));
        QTRY_COMPARE(rig.attention.calls.constLast(), QStringLiteral("asked token-7"));
        QCOMPARE(form.controller().model().switchState(), std::optional(SwitchState::Ringing));
        emit notifications.ActionInvoked(101, QStringLiteral("snooze"));
        QTRY_COMPARE(notifications.calls, (QStringList{shown, "close 101", snoozed}));
        QTRY_VERIFY(answered());
        QCOMPARE(form.controller().model().switchState(), std::optional(SwitchState::Armed));
        const qint64 snoozedAt = rig.clock.now().moment.toSecsSinceEpoch();
        QCOMPARE(rig.wake.wakeup, snoozedAt + 540); // a minute before the snooze ends
        ticks(599);
        QCOMPARE(notifications.calls.size(), 3);
        ticks(1);
        QTRY_COMPARE(notifications.calls,
                     (QStringList{shown, "close 101", snoozed, "close 103", shown}));
        QTRY_VERIFY(answered());
        emit notifications.ActionInvoked(105, QStringLiteral("stop"));
        QTRY_COMPARE(form.controller().model().switchState(), std::optional(SwitchState::Armed));
        QCOMPARE(rig.wake.wakeup, snoozedAt + 86400 - 60); // back to the alarm's own moment

        // Next day snoozed again, then cancelled from the snooze's notification: nothing rings at
        // 07:40.
        ticks(86400 - 600);
        QTRY_COMPARE(notifications.calls.mid(5), (QStringList{"close 105", shown}));
        QTRY_VERIFY(answered());
        emit notifications.ActionInvoked(107, QStringLiteral("snooze"));
        QTRY_COMPARE(notifications.calls.size(), 9);
        QTRY_VERIFY(answered());
        emit notifications.ActionInvoked(109, QStringLiteral("cancel-snooze"));
        QTRY_COMPARE(notifications.calls.constLast(), QStringLiteral("close 109"));
        ticks(600);
        QCOMPARE(form.controller().model().switchState(), std::optional(SwitchState::Armed));
    }

    // A server that reads markup gets the message escaped in every body; the title stays plain.
    // One that shows no action buttons is offered Stop alone, as ever.
    void messageIsPlainTextInEveryBody() {
        for (const bool markup : {false, true}) {
            PrivateBus bus;
            FakeNotifications notifications;
            notifications.capabilities =
                markup ? QStringList{"actions", "body-markup"} : QStringList{};
            QVERIFY(bus.serve("org.freedesktop.Notifications", "/org/freedesktop/Notifications",
                              &notifications));
            DBusNotifier notifier([&bus] { return bus.connect(QStringLiteral("client")); });
            notifier.setLabels(
                {QStringLiteral("Stop"), QStringLiteral("Later"), {}, QStringLiteral("Show")});
            notifier.showRinging(QStringLiteral("A&B"), QStringLiteral("a<b & c"));
            notifier.notice(QStringLiteral("Missed"), QStringLiteral("x > y"));
            const QString body = markup ? "a&lt;b &amp; c" : "a<b & c";
            const QString note = markup ? "x &gt; y" : "x > y";
            QTRY_COMPARE(notifications.calls.size(), 2);
            QCOMPARE(notifications.calls,
                     (QStringList{"Missed|" + note + "||uchar1",
                                  "A&B|" + body + "|stop,Stop" +
                                      (markup ? ",snooze,Later,default,Show" : "") + "|uchar2"}));
        }
    }

    // Told each new time once; told again when the helper comes back with an empty table; a
    // refused time clears the older one rather than leave it to wake the machine for nothing.
    void wakeSchedulerKeepsTheHelperTold() {
        PrivateBus bus;
        FakeWakeHelper helper;
        QVERIFY(bus.serve(wakeService, "/com/example/norvak/VekoraWake", &helper));
        QDBusConnection helperBus = bus.connect(wakeService);
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

    // A helper that does not answer counts as none after a short wait, said once on stderr.
    void unansweredHelperIsNoHelper() {
        PrivateBus bus;
        FakeWakeHelper helper;
        helper.answers = false;
        QVERIFY(bus.serve(wakeService, "/com/example/norvak/VekoraWake", &helper));
        static QStringList said;
        const QtMessageHandler previous = qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext &, const QString &text) { said << text; });
        DBusWakeScheduler scheduler(bus.connect(QStringLiteral("program")));
        const qint64 ringing = QDateTime::currentSecsSinceEpoch() + 3600;
        scheduler.setWakeup(ringing);
        scheduler.setWakeup(ringing + 60);
        QTRY_VERIFY_WITH_TIMEOUT(!said.isEmpty(), 5000); // not the bus's 25 s
        QTest::qWait(500);                               // the second call's silence
        qInstallMessageHandler(previous);
        QCOMPARE(said.size(), 1);
        QVERIFY2(said.constFirst().contains(QLatin1String("did not answer")),
                 qPrintable(said.constFirst()));
    }

    // One lock however often it is asked for, let go on release.
    void inhibitorHoldsLogindsLock() {
        PrivateBus bus;
        FakeLogind logind;
        QVERIFY(bus.serve("org.freedesktop.login1", "/org/freedesktop/login1", &logind));
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

QTEST_MAIN(TestDBus)
#include "tst_dbus.moc"
