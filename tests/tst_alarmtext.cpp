#include "core/alarmtext.h"

#include <QStringList>
#include <QTest>

// -1 stands for a faulty text (no alarm time) in the tables below.
static int timeOrFaulty(const std::optional<int> &t) {
    return t.value_or(-1);
}

class TestAlarmText : public QObject {
    Q_OBJECT

private slots:
    void inStrAAndStrictTimes() {
        QCOMPARE(InStrA(QStringLiteral("9.45"), alarmSeparators), 2);
        QCOMPARE(InStrA(QStringLiteral("1.2-3"), alarmSeparators), 2); // earliest in the text
        QCOMPARE(InStrA(QStringLiteral("h.h"), alarmSeparators), 1);
        QCOMPARE(InStrA(QStringLiteral("9H45"), alarmSeparators), 0); // case counts
        // Only exactly "hh:mm" in ASCII digits is a time; number parsing would take all of these.
        for (const QString text : {"9:45", " 9:45", "0a:45", "\u0660\u0669:\u0664\u0665"})
            QVERIFY2(!::readTimeOfDay(text), qPrintable(text));
    }

    // Each key goes in at the caret the previous key left; after every key the field
    // shows "text (caret)".
    void typedKeyByKey_data() {
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<int>("alarmTime");
        const auto keys = [](const char *k) { return QString::fromLatin1(k).split(u' '); };
        QTest::newRow("0945") << keys("0 9 4 5") << "0 (1), 09 (2), 094 (3), 09:45 (0)" << 35100;
        QTest::newRow("9.45") << keys("9 . 4 5") << "9 (1), 09: (2), 094 (3), 09:45 (0)" << 35100;
        QTest::newRow("09:45") << keys("0 9 : 4 5") << "0 (1), 09 (2), 09: (3), 09:4 (4), 09:45 (0)"
                               << 35100;
        QTest::newRow("12,30") << keys("1 2 , 3 0") << "1 (1), 12 (2), 12: (3), 12:3 (4), 12:30 (0)"
                               << 45000;
        QTest::newRow("2359") << keys("2 3 5 9") << "2 (1), 23 (2), 235 (3), 23:59 (0)" << 86340;
        QTest::newRow("2400") << keys("2 4 0 0") << "2 (1), 24 (2), 240 (3), 24:00 (0)" << -1;
        QTest::newRow("945") << keys("9 4 5") << "9 (1), 94 (2), 945 (3)" << -1;
        QTest::newRow("7-5") << keys("7 - 5") << "7 (1), 07: (2), 075 (3)" << -1;
    }
    void typedKeyByKey() {
        QFETCH(QStringList, keys);
        QFETCH(QString, steps);
        QFETCH(int, alarmTime);
        QString text;
        int caret = 0;
        QStringList shown;
        AlarmTextResult r;
        for (qsizetype i = 0; i < keys.size(); ++i) {
            text.insert(caret, keys.at(i));
            r = normaliseAlarmText(text, caret + 1);
            text = r.text;
            caret = r.caret;
            shown << QStringLiteral("%1 (%2)").arg(text).arg(caret);
            // An incomplete time is faulty until the last key.
            if (i + 1 < keys.size())
                QCOMPARE(timeOrFaulty(r.alarmTime), -1);
        }
        QCOMPARE(shown.join(QStringLiteral(", ")), steps);
        QCOMPARE(timeOrFaulty(r.alarmTime), alarmTime);
    }

    // A whole text arriving at once, caret at its end.
    void pastedWhole_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("caret");
        QTest::addColumn<int>("alarmTime");
        QTest::addColumn<bool>("changed");
        // clang-format off
        QTest::newRow("0945") << "0945" << "09:45" << 0 << 35100 << true;
        QTest::newRow("9:45") << "9:45" << "09:45" << 4 << 35100 << true;
        QTest::newRow("9::45") << "9::45" << "09:45" << 0 << 35100 << true;
        QTest::newRow("0945:") << "0945:" << "09:45" << 5 << 35100 << true;
        QTest::newRow("09:450") << "09:450" << "09:45" << 5 << 35100 << true;
        QTest::newRow("1234567") << "1234567" << "12:34" << 5 << 45240 << true;
        QTest::newRow("07:30") << "07:30" << "07:30" << 0 << 27000 << true;
        QTest::newRow("9.45") << "9.45" << "09:45" << 4 << 35100 << true;
        QTest::newRow("12-30") << "12-30" << "12:30" << 0 << 45000 << true;
        QTest::newRow("12.3") << "12.3" << "12:3" << 4 << -1 << true;
        QTest::newRow("12345") << "12345" << "12345" << 0 << -1 << false;
        QTest::newRow("23:60") << "23:60" << "23:60" << 0 << -1 << true;
        QTest::newRow(":45") << ":45" << "45" << 2 << -1 << true;
        QTest::newRow(".45") << ".45" << "45" << 2 << -1 << true;
        QTest::newRow("9H45") << "9H45" << "9H:45" << 0 << -1 << true;
        QTest::newRow("empty") << "" << "" << 0 << -1 << false;
        // clang-format on
    }
    void pastedWhole() {
        QFETCH(QString, text);
        QFETCH(QString, field);
        QFETCH(int, caret);
        QFETCH(int, alarmTime);
        QFETCH(bool, changed);
        const AlarmTextResult r = normaliseAlarmText(text, int(text.size()));
        QCOMPARE(r.text, field);
        QCOMPARE(r.caret, caret);
        QCOMPARE(timeOrFaulty(r.alarmTime), alarmTime);
        QCOMPARE(r.changed, changed);
    }

    void passesAndCaretEdges() {
        // Writing "09:45" back changes the text once more, and that second pass is stable.
        QCOMPARE(normaliseAlarmText(QStringLiteral("0945"), 4).passes, 2);
        QCOMPARE(normaliseAlarmText(QStringLiteral("945"), 99).caret, 3);
        QCOMPARE(normaliseAlarmText(QStringLiteral("945"), -7).caret, 0);
    }

    // Settling on a fixed point in general is the fuzz target's job (run by make test); these are
    // the texts that would make a careless rewrite loop long, slow or split a character.
    void nastyTextsStayBounded_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("long digits") << QString(100000, u'9');
        QTest::newRow("long separators") << QString(100000, u'.');
        QTest::newRow("surrogate then colon") << QStringLiteral("\U0001F600:45");
        QTest::newRow("cut inside a pair") << QStringLiteral("12:3\U0001F600");
        QTest::newRow("colon inside a pair") << QStringLiteral("a\U0001F600b");
    }
    void nastyTextsStayBounded() {
        QFETCH(QString, text);
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
};

QTEST_APPLESS_MAIN(TestAlarmText)
#include "tst_alarmtext.moc"
