// Whatever lands in the two text fields survives a save and a restart.

#include "core/alarmtext.h"
#include "fakes.h"

#include <QClipboard>
#include <QLineEdit>
#include <QtTest>

class TestBadInput : public QObject {
    Q_OBJECT

private slots:
    void survivesSaveAndRestart_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("stored"); // line breaks become blanks; a lone surrogate U+FFFD
        const QString longText = QStringLiteral("abcdefghij").repeated(1000);
        QTest::newRow("long") << longText << longText;
        QTest::newRow("controls") << QStringLiteral("a\tb\x01|\x1b|\x7f|\r\nf\ng\rh")
                                  << QStringLiteral("a\tb\x01|\x1b|\x7f|  f g h");
        QTest::newRow("emoji, lone surrogate")
            << QStringLiteral("⏰ 😴👩‍👩‍👧 up\xD83Dx")
            << QStringLiteral("⏰ 😴👩‍👩‍👧 up\uFFFDx");
    }
    void survivesSaveAndRestart() {
        QFETCH(QString, text);
        TestRig rig;
        auto form = rig.started(iniWithAlarm(QStringLiteral("07:30")));
        QApplication::clipboard()->setText(text);
        for (auto *field : {child<QLineEdit>(*form, "txtMsg"), child<QLineEdit>(*form, "txtAlrm")})
            QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
        const QString alarmShown = child<QLineEdit>(*form, "txtAlrm")->text();
        const AlarmTextResult again = normaliseAlarmText(alarmShown, alarmShown.size());
        QCOMPARE(again.text, alarmShown); // the field always rests on a stable text
        QCOMPARE(form->model().switchState() == SwitchState::Armed, again.alarmTime.has_value());
        form->GemIni();
        form.reset();
        form = rig.window();
        form->Form_Load();
        QTEST(child<QLineEdit>(*form, "txtMsg")->text(), "stored");
        QCOMPARE(child<QLineEdit>(*form, "txtAlrm")->text(), alarmShown);
    }
};

QTEST_MAIN(TestBadInput)
#include "tst_badinput.moc"
