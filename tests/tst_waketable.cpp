#include "wake/waketable.h"

#include <QTest>
#include <limits>

using Time = WakeTable::Time;

namespace {
constexpr Time now = 1'800'000'000;
constexpr Time day = 24 * 3600;
} // namespace

class TestWakeTable : public QObject {
    Q_OBJECT

private slots:
    void range_data() {
        QTest::addColumn<Time>("when");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("none") << Time(0) << false;
        QTest::newRow("now") << now << false;
        QTest::newRow("next second") << now + 1 << true;
        QTest::newRow("eight days") << now + 8 * day << true;
        QTest::newRow("eight days and a second") << now + 8 * day + 1 << false;
        QTest::newRow("largest") << std::numeric_limits<Time>::max() << false;
    }
    void range() {
        QFETCH(Time, when);
        QFETCH(bool, accepted);
        WakeTable table;
        QVERIFY(table.set(7, now + 3600, now));
        QCOMPARE(table.set(7, when, now), accepted);
        // A refused time leaves the one held before.
        QCOMPARE(table.get(7), accepted ? when : now + 3600);
        QCOMPARE(table.earliest(), table.get(7));
    }

    // When the alarm has gone off, or the clock was stepped past a time, that time is spent.
    void expire() {
        WakeTable table;
        QVERIFY(table.set(1, now + 10, now));
        QVERIFY(table.set(2, now + 20, now));
        QVERIFY(table.set(3, now + 30, now));
        table.expire(now + 9);
        QCOMPARE(table.earliest(), now + 10);
        table.expire(now + 20);
        QCOMPARE(table.get(1), Time(0));
        QCOMPARE(table.get(2), Time(0));
        QCOMPARE(table.earliest(), now + 30);
        // The clock set back does not bring a spent time back.
        table.expire(now - day);
        QCOMPARE(table.earliest(), now + 30);
        table.expire(now + 30);
        QVERIFY(table.empty());
    }
};

QTEST_GUILESS_MAIN(TestWakeTable)
#include "tst_waketable.moc"
