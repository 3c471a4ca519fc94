#include "wake/wakealarm.h"

#include <QDateTime>
#include <QSignalSpy>
#include <QTest>

namespace {
std::uint64_t now() {
    return std::uint64_t(QDateTime::currentSecsSinceEpoch());
}
} // namespace

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
        const std::uint64_t when = now() + 3600;
        QVERIFY(alarm.arm(when));
        QCOMPARE(alarm.armedAt(), when);
        QVERIFY(alarm.arm(when + 86400)); // moved, not added
        QCOMPARE(alarm.armedAt(), when + 86400);

        // Disarmed, it stays quiet (the kernel's read-back cannot tell: see armedAt()).
        QSignalSpy fired(&alarm, &WakeAlarm::fired);
        QVERIFY(alarm.arm(now() + 1));
        QVERIFY(alarm.arm(0));
        QVERIFY(!fired.wait(2500));
    }

    void fires() {
        WakeAlarm alarm(CLOCK_REALTIME);
        QVERIFY(alarm.isValid());
        QSignalSpy fired(&alarm, &WakeAlarm::fired);
        QVERIFY(alarm.arm(now() + 1));
        QVERIFY(fired.wait(5000));
        QCOMPARE(alarm.armedAt(), std::uint64_t(0));
    }
};

QTEST_GUILESS_MAIN(TestWakeAlarm)
#include "tst_wakealarm.moc"
