// The wake-up helper's own parts: the table of its users' times, the alarm timer and what it knows
// of its callers.

#include "wake/calleruids.h"
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

    // Calls wait for their caller's user, in order and a few at most; the bus's answer is that
    // caller's alone, and a name that has gone stays gone even when an answer comes late.
    void callerUids() {
        using Held = CallerUids::Held;
        CallerUids callers;
        const QString a = QStringLiteral(":1.7"), b = QStringLiteral(":1.8");
        const auto call = [](int n) {
            return QDBusMessage::createMethodCall({}, {}, {}, QStringLiteral("GetWakeup")) << n;
        };
        QCOMPARE(callers.hold(a, call(0)), Held::AskBus);
        for (int n = 1; n < CallerUids::maxWaiting; ++n)
            QCOMPARE(callers.hold(a, call(n)), Held::Waiting);
        QCOMPARE(callers.hold(a, call(-1)), Held::Refused);
        QCOMPARE(callers.hold(b, call(0)), Held::AskBus);

        const QList<QDBusMessage> waited = callers.learn(a, 1000);
        QCOMPARE(waited.size(), CallerUids::maxWaiting);
        QCOMPARE(waited.last().arguments().constFirst().toInt(), CallerUids::maxWaiting - 1);
        QCOMPARE(callers.find(a), std::optional<CallerUids::Uid>(1000));
        QCOMPARE(callers.find(b), std::nullopt);
        QCOMPARE(callers.learn(b, std::nullopt).size(), 1);
        callers.forget(a);
        QVERIFY(callers.learn(a, 1000).isEmpty());
        QCOMPARE(callers.size(), 0);
    }

    // The timer on the clock fires; disarmed, it stays quiet.
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
