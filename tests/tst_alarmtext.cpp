#include "core/alarmtext.h"

#include "datarow.h"
#include <QStringList>

#include <QTest>

// -1 stands for a faulty text (no alarm time) in the tables below.
static int timeOrFaulty(const std::optional<int> &t) {
    return t.value_or(-1);
}

class TestAlarmText : public QObject {
    Q_OBJECT

private slots:
    void separatorsAndStrictTimes() {
        QCOMPARE(firstOfPosition(QStringLiteral("9.45"), alarmSeparators), 2);
        QCOMPARE(firstOfPosition(QStringLiteral("1.2-3"), alarmSeparators),
                 2); // earliest in the text
        QCOMPARE(firstOfPosition(QStringLiteral("h.h"), alarmSeparators), 1);
        QCOMPARE(firstOfPosition(QStringLiteral("9H45"), alarmSeparators), 0); // case counts
        // Only exactly "hh:mm" in ASCII digits is a time; number parsing would take all of these.
        for (const QString text : {"9:45", " 9:45", "0a:45", "\u0660\u0669:\u0664\u0665"})
            QVERIFY2(!::readTimeOfDay(text), qPrintable(text));
    }

    // Each key goes in at the caret the previous key left; after every key the field shows
    // "text (caret)"; an incomplete time is faulty until the last key.
    void typedKeyByKey_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<int>("alarmTime");
        row("0945", "0 9 4 5", "0 (1), 09 (2), 094 (3), 09:45 (0)", 35100);
        row("9.45", "9 . 4 5", "9 (1), 09: (2), 094 (3), 09:45 (0)", 35100);
        row("09:45", "0 9 : 4 5", "0 (1), 09 (2), 09: (3), 09:4 (4), 09:45 (0)", 35100);
        row("2400", "2 4 0 0", "2 (1), 24 (2), 240 (3), 24:00 (0)", -1);
        row("945", "9 4 5", "9 (1), 94 (2), 945 (3)", -1);
        row("7-5", "7 - 5", "7 (1), 07: (2), 075 (3)", -1);
    }
    void typedKeyByKey() {
        QFETCH(QString, keys);
        QFETCH(QString, steps);
        QFETCH(int, alarmTime);
        QString text;
        int caret = 0;
        QStringList shown, times;
        for (const QString &key : keys.split(u' ')) {
            text.insert(caret, key);
            const AlarmTextResult r = normaliseAlarmText(text, caret + 1);
            text = r.text;
            caret = r.caret;
            shown << QStringLiteral("%1 (%2)").arg(text).arg(caret);
            times << QString::number(timeOrFaulty(r.alarmTime));
        }
        QCOMPARE(shown.join(QStringLiteral(", ")), steps);
        QCOMPARE(times.takeLast(), QString::number(alarmTime));
        QCOMPARE(times, QStringList(times.size(), QStringLiteral("-1")));
    }

    // A whole text arriving at once, caret at its end: "field (caret) time", and whether the
    // field changed.
    void pastedWhole_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        const char *const cases[][2] = {
            {"0945", "09:45 (0) 35100 changed"},  {"9:45", "09:45 (4) 35100 changed"},
            {"0945:", "09:45 (5) 35100 changed"}, {"1234567", "12:34 (5) 45240 changed"},
            {"12.3", "12:3 (4) -1 changed"},      {"12345", "12345 (0) -1"},
            {"23:60", "23:60 (0) -1 changed"},    {":45", "45 (2) -1 changed"},
            {"9H45", "9H:45 (0) -1 changed"},     {"", " (0) -1"},
            {".45", "45 (2) -1 changed"}, // a separator first: no hour to pad
        };
        for (const auto &[text, expected] : cases)
            row(*text ? text : "empty", QString(text), QString(expected));
    }
    void pastedWhole() {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        const AlarmTextResult r = normaliseAlarmText(text, int(text.size()));
        QCOMPARE(QStringLiteral("%1 (%2) %3%4")
                     .arg(r.text)
                     .arg(r.caret)
                     .arg(timeOrFaulty(r.alarmTime))
                     .arg(r.changed ? " changed" : ""),
                 expected);
    }
};

QTEST_MAIN(TestAlarmText)
#include "tst_alarmtext.moc"
