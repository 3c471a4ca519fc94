#include "wake/waketable.h"

#include <QTest>
#include <limits>

using Time = WakeTable::Time;

constexpr Time now = 1'800'000'000;
constexpr Time day = 24 * 3600;

// The edges of the accepted range, pinned down; the fuzzer (fuzz_waketable) walks the rest:
// many users, clearing, expiry and clock steps.
class TestWakeTable : public QObject {
    Q_OBJECT

private slots:
    void range_data() {
        QTest::addColumn<Time>("when");
        QTest::addColumn<bool>("accepted");
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
        QVERIFY(table.set(8, now + 2 * day, now));
        QCOMPARE(table.set(7, when, now), accepted);
        // A refused time leaves the one held before; the alarm follows the earliest user.
        QCOMPARE(table.get(7), accepted ? when : now + 3600);
        QCOMPARE(table.earliest(), std::min(table.get(7), now + 2 * day));
    }
};

QTEST_GUILESS_MAIN(TestWakeTable)
#include "tst_waketable.moc"
