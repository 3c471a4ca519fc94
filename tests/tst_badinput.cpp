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
        QTest::addColumn<QString>("stored"); // line breaks become blanks; a lone surrogate U+FFFD
        const QString longText = QStringLiteral("abcdefghij").repeated(1000);
        QTest::newRow("long, pasted") << longText << false << longText;
        QTest::newRow("controls, pasted") << QStringLiteral("a\tb\x01|\x1b|\x7f|\r\nf\ng\rh")
                                          << false << QStringLiteral("a\tb\x01|\x1b|\x7f|  f g h");
        const QString emoji = QStringLiteral("⏰ wake 😴👩‍👩‍👧 up");
        QTest::newRow("emoji, typed") << emoji << true << emoji;
        QTest::newRow("lone surrogate, pasted")
            << QString(QChar(0xD83D)) + u'x' << false << QStringLiteral("\uFFFDx");
    }
    void survivesSaveAndRestart() {
        QFETCH(QString, text);
        QFETCH(bool, typed);
        QFETCH(QString, stored);
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
        QCOMPARE(child<QLineEdit>(*form, "txtMsg")->text(), stored);
        QCOMPARE(child<QLineEdit>(*form, "txtAlrm")->text(), alarmShown);
        // A faulty text keeps the last valid time only for the session that had one.
        if (form->model().switchState() == SwitchState::Armed)
            QCOMPARE(form->model().alarmTime(), alarmTime);
    }
};

QTEST_MAIN(TestBadInput)
#include "tst_badinput.moc"
