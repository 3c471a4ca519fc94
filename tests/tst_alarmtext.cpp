#include "core/alarmtext.h"
#include "ui/alarmtimefield.h"

#include <QStringList>
#include <QTest>

// -1 stands for a faulty text (no alarm time) in the tables below.
static int timeOrFaulty(const std::optional<int> &t) {
    return t.value_or(-1);
}

class TestAlarmText : public QObject {
    Q_OBJECT

private slots:
    // As the help advises: a double-click on the old time, then the new one typed over it.
    void doubleClickSelectsTheWholeTime() {
        AlarmTimeField field(QStringLiteral("07:30"));
        connect(&field, &QLineEdit::textEdited, &field, [&field] {
            const AlarmTextResult r = normaliseAlarmText(field.text(), field.cursorPosition());
            field.setText(r.text);
            field.setCursorPosition(r.caret);
        });
        field.show();
        QVERIFY(QTest::qWaitForWindowExposed(&field));
        QTest::mouseDClick(&field, Qt::LeftButton, {}, QPoint(4, field.height() / 2));
        QTest::keyClicks(&field, "1015");
        QCOMPARE(field.text(), QStringLiteral("10:15"));
    }

    void inStrAAndStrictTimes() {
        QCOMPARE(InStrA(QStringLiteral("9.45"), alarmSeparators), 2);
        QCOMPARE(InStrA(QStringLiteral("1.2-3"), alarmSeparators), 2); // earliest in the text
        QCOMPARE(InStrA(QStringLiteral("h.h"), alarmSeparators), 1);
        QCOMPARE(InStrA(QStringLiteral("9H45"), alarmSeparators), 0); // case counts
        // Only exactly "hh:mm" in ASCII digits is a time; number parsing would take all of these.
        for (const QString text : {"9:45", " 9:45", "0a:45", "\u0660\u0669:\u0664\u0665"})
            QVERIFY2(!::readTimeOfDay(text), qPrintable(text));
    }

    // Each key goes in at the caret the previous key left; after every key the field shows
    // "text (caret)"; an incomplete time is faulty until the last key.
    void typedKeyByKey() {
        struct {
            const char *keys, *steps;
            int alarmTime;
        } const cases[] = {
            {"0 9 4 5", "0 (1), 09 (2), 094 (3), 09:45 (0)", 35100},
            {"9 . 4 5", "9 (1), 09: (2), 094 (3), 09:45 (0)", 35100},
            {"0 9 : 4 5", "0 (1), 09 (2), 09: (3), 09:4 (4), 09:45 (0)", 35100},
            {"1 2 , 3 0", "1 (1), 12 (2), 12: (3), 12:3 (4), 12:30 (0)", 45000},
            {"2 3 5 9", "2 (1), 23 (2), 235 (3), 23:59 (0)", 86340},
            {"2 4 0 0", "2 (1), 24 (2), 240 (3), 24:00 (0)", -1},
            {"9 4 5", "9 (1), 94 (2), 945 (3)", -1},
            {"7 - 5", "7 (1), 07: (2), 075 (3)", -1},
        };
        for (const auto &c : cases) {
            QString text;
            int caret = 0;
            QStringList shown, times;
            for (const QString &key : QString::fromLatin1(c.keys).split(u' ')) {
                text.insert(caret, key);
                const AlarmTextResult r = normaliseAlarmText(text, caret + 1);
                text = r.text;
                caret = r.caret;
                shown << QStringLiteral("%1 (%2)").arg(text).arg(caret);
                times << QString::number(timeOrFaulty(r.alarmTime));
            }
            QCOMPARE(shown.join(QStringLiteral(", ")), c.steps);
            QCOMPARE(times.takeLast(), QString::number(c.alarmTime));
            QCOMPARE(times, QStringList(times.size(), QStringLiteral("-1")));
        }
    }

    // A whole text arriving at once, caret at its end: "field (caret) time", and whether the
    // field changed.
    void pastedWhole() {
        const char *const cases[][2] = {
            {"0945", "09:45 (0) 35100 changed"},
            {"9:45", "09:45 (4) 35100 changed"},
            {"9::45", "09:45 (0) 35100 changed"},
            {"0945:", "09:45 (5) 35100 changed"},
            {"09:450", "09:45 (5) 35100 changed"},
            {"1234567", "12:34 (5) 45240 changed"},
            {"07:30", "07:30 (0) 27000 changed"},
            {"9.45", "09:45 (4) 35100 changed"},
            {"12-30", "12:30 (0) 45000 changed"},
            {"12.3", "12:3 (4) -1 changed"},
            {"12345", "12345 (0) -1"},
            {"23:60", "23:60 (0) -1 changed"},
            {":45", "45 (2) -1 changed"},
            {".45", "45 (2) -1 changed"},
            {"9H45", "9H:45 (0) -1 changed"},
            {"", " (0) -1"},
        };
        for (const auto &[text, expected] : cases) {
            const AlarmTextResult r = normaliseAlarmText(text, int(qstrlen(text)));
            QCOMPARE(QStringLiteral("%1 (%2) %3%4")
                         .arg(r.text)
                         .arg(r.caret)
                         .arg(timeOrFaulty(r.alarmTime))
                         .arg(r.changed ? " changed" : ""),
                     expected);
        }
    }

    // Settling on a fixed point in general is the fuzz target's job (run by make test); these are
    // the texts that would make a careless rewrite loop long, slow or split a character.
    void nastyTextsStayBounded() {
        for (const QString &text : {QString(100000, u'9'), QString(100000, u'.'),
                                    QStringLiteral("\U0001F600:45"),   // surrogate, colon
                                    QStringLiteral("12:3\U0001F600"),  // cut inside a pair
                                    QStringLiteral("a\U0001F600b")}) { // colon inside a pair
            for (const int caret : {0, int(text.size() / 2), int(text.size())}) {
                const AlarmTextResult r = normaliseAlarmText(text, caret);
                QVERIFY(r.passes <= 9);
                QVERIFY(r.text.size() <= 5);
                QVERIFY(r.caret >= 0 && r.caret <= r.text.size());
                QVERIFY(!r.alarmTime);
                // No half of a character: such a text would not survive being saved.
                QCOMPARE(QString::fromUtf8(r.text.toUtf8()), r.text);
            }
        }
    }
};

QTEST_MAIN(TestAlarmText)
#include "tst_alarmtext.moc"
