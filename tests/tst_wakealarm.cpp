#include "wake/wakealarm.h"

#include <QSignalSpy>
#include <QTest>

class TestWakeAlarm : public QObject {
    Q_OBJECT

private slots:
    // The real thing: a timer on the clock that wakes the machine, read back from the kernel.
    void armsTheWakeupClock() {
        WakeAlarm alarm(CLOCK_REALTIME_ALARM);
        if (!alarm.isValid())
            QSKIP(qPrintable(QStringLiteral("the kernel refuses a CLOCK_REALTIME_ALARM timer (%1): "
                                            "run as root or with CAP_WAKE_ALARM to test it")
                                 .arg(alarm.error())));
        const std::uint64_t when = std::time(nullptr) + 3600;
        QVERIFY(alarm.arm(when));
        QVERIFY(alarm.arm(when + 86400)); // moved, not added
        QCOMPARE(alarm.armedAt(), when + 86400);
    }

    // It fires; disarmed, it stays quiet.
    void firesOnce() {
        WakeAlarm alarm(CLOCK_REALTIME);
        QSignalSpy fired(&alarm, &WakeAlarm::fired);
        QVERIFY(alarm.arm(std::time(nullptr) + 1));
        QVERIFY(fired.wait(5000));
        QVERIFY(alarm.arm(std::time(nullptr) + 1) && alarm.arm(0));
        QVERIFY(!fired.wait(2500));
    }
};

QTEST_GUILESS_MAIN(TestWakeAlarm)
#include "tst_wakealarm.moc"
