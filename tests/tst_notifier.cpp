#include "fakes.h"
#include "platform/dbusnotifier.h"
#include "privatebus.h"

#include <QPushButton>

#include <QDBusConnection>
#include <QStandardPaths>
#include <QTest>

// A notification server that records what it is asked and fires its signals on request.
class FakeNotifications : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    QStringList calls;

public slots:
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
};

class TestNotifier : public QObject {
    Q_OBJECT
    FakeNotifications m_fake;

private slots:
    void ringingAlarmIsStoppedFromItsNotification() {
        if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty())
            QSKIP("dbus-daemon is not installed (Debian package dbus); cannot test notifications");
        PrivateBus bus;
        QDBusConnection server = bus.connect(QStringLiteral("server"));
        server.registerObject("/org/freedesktop/Notifications", &m_fake,
                              QDBusConnection::ExportAllContents);
        QVERIFY2(server.registerService("org.freedesktop.Notifications"), "no private bus");
        DBusNotifier notifier(bus.connect(QStringLiteral("client")));

        TestRig rig;
        Platform platform = rig.platform();
        platform.notifier = &notifier;
        QStringList ini = iniWithAlarm(QStringLiteral("07:30"));
        ini[6] = QStringLiteral("Stand-up");
        rig.writeIni(ini);
        rig.clock.set(QDate(2026, 12, 7), 7, 30);
        Form1 form(platform);
        child<QTimer>(form, "Timer1")->stop();
        form.Form_Load();
        form.Timer1_Timer();
        const QString shown = QStringLiteral("Alarm !!!|Stand-up|stop,Stop|uchar2");
        QTRY_COMPARE(m_fake.calls, QStringList{shown});
        emit m_fake.ActionInvoked(101, QStringLiteral("stop"));
        QTRY_COMPARE(form.model().switchState(), std::optional(SwitchState::Armed));

        // Next day a click on the switch stops it, and the notification goes with it.
        rig.clock.advance(86399);
        form.Timer1_Timer();
        rig.clock.advance(1);
        form.Timer1_Timer();
        QTest::mouseClick(child<QPushButton>(form, "CmdStop"), Qt::LeftButton);
        QTRY_COMPARE(m_fake.calls, (QStringList{shown, "close 101", shown, "close 103"}));
    }
};

QTEST_MAIN(TestNotifier)
#include "tst_notifier.moc"
