// Whatever lands in the two text fields, typed or pasted, survives a save and a restart.

#include "core/alarmtext.h"
#include "fakes.h"

#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class TestBadInput : public QObject {
    Q_OBJECT

    // Key by key, as an input method delivers text: a surrogate pair arrives as one key.
    static void type(QLineEdit *edit, const QString &text) {
        edit->clear();
        for (qsizetype i = 0; i < text.size(); ++i) {
            const qsizetype n = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
            const QString key = text.mid(i, n);
            QTest::sendKeyEvent(QTest::Press, edit, Qt::Key_unknown, key, Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Release, edit, Qt::Key_unknown, key, Qt::NoModifier);
            i += n - 1;
        }
    }
    static void paste(QLineEdit *edit, const QString &text) {
        edit->selectAll();
        QApplication::clipboard()->setText(text);
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    }

private slots:
    void survivesSaveAndRestart_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("typed");
        QString longText;
        for (int i = 0; i < 10000; ++i)
            longText += QChar(u'a' + i % 26);
        QTest::newRow("long, pasted") << longText << false;
        QTest::newRow("controls, pasted") << QStringLiteral("a\tb\x01"
                                                            "c\x1b"
                                                            "d\x7f"
                                                            "e\r\nf\ng\rh")
                                          << false;
        QTest::newRow("emoji, typed")
            << QStringLiteral("⏰ wake 😴👩‍👩‍👧 up") << true;
        QTest::newRow("right to left, pasted")
            << QStringLiteral("\u200Fשלום عربي \u202E12:30\u202C") << false;
        QTest::newRow("Danish and Windows-1252 signs, typed")
            << QStringLiteral("Æbler €5 – ½") << true;
        QTest::newRow("lone surrogate, pasted") << QString(QChar(0xD83D)) + u'x' << false;
    }
    void survivesSaveAndRestart() {
        QFETCH(QString, text);
        QFETCH(bool, typed);
        TestRig rig;
        QString alarmShown;
        int alarmTime = 0;
        {
            auto form = rig.started(iniWithAlarm(QStringLiteral("07:30")));
            for (const char *name : {"txtMsg", "txtAlrm"})
                (typed ? type : paste)(child<QLineEdit>(*form, name), text);
            const QString msg = child<QLineEdit>(*form, "txtMsg")->text();
            QVERIFY(!msg.contains(u'\n') && !msg.contains(u'\r'));
            alarmShown = child<QLineEdit>(*form, "txtAlrm")->text();
            alarmTime = form->model().alarmTime();
            const AlarmTextResult again = normaliseAlarmText(alarmShown, alarmShown.size());
            QCOMPARE(again.text, alarmShown); // the field always rests on a stable text
            QCOMPARE(form->model().switchState() == SwitchState::Armed,
                     again.alarmTime.has_value());
            QVERIFY(alarmShown.size() <= 5);
            form->GemIni();
        }
        QCOMPARE(rig.iniLines().size(), 8);
        auto form = rig.window();
        form->Form_Load();
        // Line breaks become blanks; a lone surrogate is no character and comes back as U+FFFD.
        QString expected;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const bool paired = text.at(i).isHighSurrogate() && i + 1 < text.size() &&
                                text.at(i + 1).isLowSurrogate();
            expected += paired                     ? text.mid(i++, 2)
                        : text.at(i).isSurrogate() ? QString(QChar::ReplacementCharacter)
                                                   : QString(text.at(i));
        }
        expected.replace(u'\r', u' ').replace(u'\n', u' ');
        QCOMPARE(child<QLineEdit>(*form, "txtMsg")->text(), expected);
        QCOMPARE(child<QLineEdit>(*form, "txtAlrm")->text(), alarmShown);
        // A faulty text keeps the last valid time only for the session that had one.
        if (form->model().switchState() == SwitchState::Armed)
            QCOMPARE(form->model().alarmTime(), alarmTime);
    }
};

QTEST_MAIN(TestBadInput)
#include "tst_badinput.moc"
