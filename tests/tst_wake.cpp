// The wake-up helper's own parts: the table of its users' times and the alarm timer.

#include "wake/wakealarm.h"
#include "wake/waketable.h"

#include <QSignalSpy>
#include <QTest>
#include <limits>

using Time = WakeTable::Time;

constexpr Time now = 1'800'000'000;
constexpr Time day = 24 * 3600;

class TestWake : public QObject {
    Q_OBJECT

private slots:
    // The edges of the accepted range, pinned down; the fuzzer (fuzz_waketable) walks the rest:
    // many users, clearing, expiry and clock steps.
    void tableRange() {
        const std::pair<Time, bool> cases[] = {{now, false},
                                               {now + 1, true},
                                               {now + 8 * day, true},
                                               {now + 8 * day + 1, false},
                                               {std::numeric_limits<Time>::max(), false}};
        for (const auto &[when, accepted] : cases) {
            WakeTable table;
            QVERIFY(table.set(7, now + 3600, now));
            QVERIFY(table.set(8, now + 2 * day, now));
            QCOMPARE(table.set(7, when, now), accepted);
            // A refused time leaves the one held before; the alarm follows the earliest user.
            QCOMPARE(table.get(7), accepted ? when : now + 3600);
            QCOMPARE(table.earliest(), std::min(table.get(7), now + 2 * day));
        }
    }

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

QTEST_GUILESS_MAIN(TestWake)
#include "tst_wake.moc"
