// The once-a-second tick: when an alarm fires, how it rings, and what the window shows.

#include "fakes.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class TestTick : public QObject {
    Q_OBJECT

    // Runs the tick once a second from the clock's present time for the given number of seconds.
    static void run(Form1 &form, FakeClock &clock, int seconds) {
        for (int i = 0; i < seconds; ++i) {
            clock.advance(1);
            form.Timer1_Timer();
        }
    }
    static QString timeDisplay(Form1 &form) {
        return form.findChild<QLabel *>(QStringLiteral("Label(4)"))->text();
    }
    static QColor timeBackground(Form1 &form) {
        return form.findChild<QLabel *>(QStringLiteral("Label(4)"))
            ->palette()
            .color(QPalette::Window);
    }

private slots:
    void nextTickLandsJustAfterTheWholeSecond_data() {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<int>("delay");
        QTest::newRow("on the second") << 100.0 << 1005;
        QTest::newRow("a quarter past") << 100.25 << 755;
        QTest::newRow("just before") << 100.999 << 6;
        QTest::newRow("last second of the day") << 86399.5 << 505;
    }
    void nextTickLandsJustAfterTheWholeSecond() {
        QFETCH(double, seconds);
        QFETCH(int, delay);
        QCOMPARE(msUntilNextSecond({seconds, QDate(2026, 1, 1)}), delay);
    }

    void firesOnlyOnTheChosenDay_data() {
        QTest::addColumn<int>("entry");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<bool>("fires");
        const QDate monday(2026, 12, 7), sunday(2026, 12, 6);
        QTest::newRow("every day, Monday") << 0 << monday << true;
        QTest::newRow("every day, Sunday") << 0 << sunday << true;
        QTest::newRow("Monday on Monday") << 2 << monday << true;
        QTest::newRow("Monday on Sunday") << 2 << sunday << false;
        QTest::newRow("Sunday on Sunday") << 1 << sunday << true;
        QTest::newRow("nothing chosen") << -1 << monday << false;
    }
    void firesOnlyOnTheChosenDay() {
        QFETCH(int, entry);
        QFETCH(QDate, date);
        QFETCH(bool, fires);
        TestRig rig;
        rig.clock.set(date, 9, 44, 30);
        auto form = rig.started(iniWithAlarm(QStringLiteral("09:45"), entry));
        QCOMPARE(form->switchState(), std::optional(SwitchState::Armed));
        run(*form, rig.clock, 29);
        QCOMPARE(form->switchState(), std::optional(SwitchState::Armed));
        run(*form, rig.clock, 1); // 09:45:00
        QCOMPARE(form->switchState() == SwitchState::Ringing, fires);
        QCOMPARE(rig.attention.calls.count(QStringLiteral("beep")), fires ? 1 : 0);
    }

    void typedAlarmOnEveryDayFiresAtItsMinute() {
        TestRig rig;
        rig.clock.set(QDate(2026, 12, 8), 9, 40);
        auto form = rig.started(iniWithAlarm(QStringLiteral("07:00"), 0));
        auto *field = form->findChild<QLineEdit *>(QStringLiteral("txtAlrm"));
        field->selectAll();
        QTest::keyClicks(field, QStringLiteral("0945"));
        QCOMPARE(field->text(), QStringLiteral("09:45"));
        QCOMPARE(form->alarmTime(), 35100);
        run(*form, rig.clock, 5 * 60 - 1);
        QCOMPARE(form->switchState(), std::optional(SwitchState::Armed));
        run(*form, rig.clock, 1);
        QCOMPARE(form->switchState(), std::optional(SwitchState::Ringing));
        QCOMPARE(timeDisplay(*form), QStringLiteral("09:45:00"));
    }

    void rearmedInsideTheMinuteDoesNotFireAgain() {
        TestRig rig;
        rig.clock.set(QDate(2026, 12, 7), 7, 29, 50);
        auto form = rig.started(iniWithAlarm(QStringLiteral("07:30")));
        run(*form, rig.clock, 10);
        QCOMPARE(form->switchState(), std::optional(SwitchState::Ringing));
        form->CmdStop_Click();
        QCOMPARE(form->switchState(), std::optional(SwitchState::Armed));
        run(*form, rig.clock, 50);
        QCOMPARE(form->switchState(), std::optional(SwitchState::Armed));
        run(*form, rig.clock, 86400);
        QCOMPARE(form->switchState(), std::optional(SwitchState::Ringing)); // the next day
    }

    void startInsideTheAlarmMinute_data() {
        QTest::addColumn<QString>("alarm");
        QTest::addColumn<bool>("fires");
        // The display starts at 00:00:00, so only minute 00 looks like no change.
        QTest::newRow("07:00 at 07:00:30") << QStringLiteral("07:00") << false;
        QTest::newRow("07:30 at 07:30:30") << QStringLiteral("07:30") << true;
    }
    void startInsideTheAlarmMinute() {
        QFETCH(QString, alarm);
        QFETCH(bool, fires);
        TestRig rig;
        rig.clock.set(QDate(2026, 12, 7), alarm.left(2).toInt(), alarm.right(2).toInt(), 30);
        auto form = rig.started(iniWithAlarm(alarm));
        QCOMPARE(form->switchState() == SwitchState::Ringing, fires);
    }

    void midnightAlarmFires() {
        TestRig rig;
        rig.clock.set(QDate(2026, 12, 7), 23, 59, 58.6);
        auto form = rig.started(iniWithAlarm(QStringLiteral("00:00")));
        QCOMPARE(form->switchState(), std::optional(SwitchState::Armed));
        run(*form, rig.clock, 1); // 23:59:59.6 still shows 23:59:59
        QCOMPARE(timeDisplay(*form), QStringLiteral("23:59:59"));
        run(*form, rig.clock, 1);
        QCOMPARE(timeDisplay(*form), QStringLiteral("00:00:00"));
        QCOMPARE(form->switchState(), std::optional(SwitchState::Ringing));
    }

    void ringingRestoresMarksAndFlashes() {
        TestRig rig;
        rig.clock.set(QDate(2026, 12, 7), 7, 29, 59);
        auto form = rig.started(iniWithAlarm(QStringLiteral("07:30")));
        form->show();
        form->ToMin();
        QVERIFY(form->windowState() & Qt::WindowMinimized);
        rig.attention.calls.clear();
        run(*form, rig.clock, 1);
        QVERIFY(!(form->windowState() & Qt::WindowMinimized));
        QCOMPARE(form->windowTitle(), QStringLiteral("Alarm !!!"));
        // The beep only in the firing tick; activation before Num Lock in the first four seconds.
        QCOMPARE(rig.attention.calls, QStringList({QStringLiteral("beep"), QStringLiteral("front"),
                                                   QStringLiteral("numlock")}));
        const QColor first = timeBackground(*form);
        run(*form, rig.clock, 1);
        QVERIFY(timeBackground(*form) != first);
        run(*form, rig.clock, 1);
        QCOMPARE(timeBackground(*form), first);
        run(*form, rig.clock, 10);
        QCOMPARE(rig.attention.calls.count(QStringLiteral("front")), 4);
        QCOMPARE(rig.attention.calls.count(QStringLiteral("numlock")), 4);
        QCOMPARE(rig.attention.calls.count(QStringLiteral("beep")), 1);
        QCOMPARE(rig.notifier.shown, QStringList(QStringLiteral("Alarm !!!|Mondag 07:30")));

        form->CmdStop_Click();
        QCOMPARE(rig.notifier.withdrawn, 1);
        run(*form, rig.clock, 1);
        QCOMPARE(form->windowTitle(), QStringLiteral("Norvak Vekora"));
        QCOMPARE(timeBackground(*form), QApplication::palette().color(QPalette::Button));
    }

    void soundOffRingsSilently() {
        TestRig rig;
        rig.clock.set(QDate(2026, 12, 7), 7, 29, 59);
        QStringList ini = iniWithAlarm(QStringLiteral("07:30"), 0, QStringLiteral("On"));
        ini[1] = QStringLiteral("0 0 ");
        auto form = rig.started(ini);
        run(*form, rig.clock, 3);
        QCOMPARE(form->switchState(), std::optional(SwitchState::Ringing));
        QCOMPARE(rig.attention.calls.count(QStringLiteral("beep")), 0);
    }

    void attentionOnlyInTheFirstSecondsAlsoAcrossMidnight() {
        TestRig rig;
        rig.clock.set(QDate(2026, 12, 7), 23, 58, 59);
        auto form = rig.started(iniWithAlarm(QStringLiteral("23:59")));
        rig.attention.calls.clear();
        run(*form, rig.clock, 1 + 60 + 120); // fires, then rings on past midnight
        QCOMPARE(form->switchState(), std::optional(SwitchState::Ringing));
        QCOMPARE(rig.attention.calls.count(QStringLiteral("front")), 4);
        QCOMPARE(rig.attention.calls.count(QStringLiteral("numlock")), 4);
    }

    void delayedMinimiseAtTheTenthTick() {
        TestRig rig;
        rig.clock.set(QDate(2026, 12, 7), 12, 0, 10);
        QStringList ini = iniWithAlarm(QStringLiteral("07:30"));
        ini[1] = QStringLiteral("1 1 ");
        auto form = rig.started(ini); // the start-up's tick is the first
        form->show();
        run(*form, rig.clock, 8);
        QVERIFY(!(form->windowState() & Qt::WindowMinimized));
        run(*form, rig.clock, 1);
        QVERIFY(form->windowState() & Qt::WindowMinimized);
    }

    void workingWithTheWindowCancelsTheDelayedMinimise() {
        TestRig rig;
        rig.clock.set(QDate(2026, 12, 7), 12, 0, 10);
        QStringList ini = iniWithAlarm(QStringLiteral("07:30"));
        ini[1] = QStringLiteral("1 1 ");
        auto form = rig.started(ini);
        form->show();
        run(*form, rig.clock, 3);
        QTest::keyClick(form->findChild<QLineEdit *>(QStringLiteral("txtMsg")), Qt::Key_A);
        run(*form, rig.clock, 20);
        QVERIFY(!(form->windowState() & Qt::WindowMinimized));
    }

    void minimisedCaptionNamesTheNextAlarm() {
        TestRig rig;
        rig.clock.set(QDate(2026, 12, 8), 12, 0, 10); // a Tuesday
        auto form = rig.started(iniWithAlarm(QStringLiteral("07:30"), 2));
        form->show();
        form->ToMin();
        run(*form, rig.clock, 1);
        QCOMPARE(form->windowTitle(), QStringLiteral("Mo 07:30 ((o))"));
        form->CmdStop_Click(); // off
        run(*form, rig.clock, 1);
        QCOMPARE(form->windowTitle(), QStringLiteral("Off"));
    }

    void saveOncePerMinuteAfterAChange() {
        TestRig rig;
        rig.clock.set(QDate(2026, 12, 7), 12, 0, 10);
        auto form = rig.started(iniWithAlarm(QStringLiteral("07:30")));
        form->show();
        QFile::remove(rig.iniPath());
        form->findChild<QLineEdit *>(QStringLiteral("txtMsg"))->setText(QStringLiteral("Tea"));
        QTest::keyClick(form->findChild<QLineEdit *>(QStringLiteral("txtMsg")), Qt::Key_End);
        run(*form, rig.clock, 49);
        QVERIFY(!QFile::exists(rig.iniPath()));
        run(*form, rig.clock, 1); // 12:01:00
        QCOMPARE(rig.iniLines().value(6), QStringLiteral("Tea"));
    }
};

QTEST_MAIN(TestTick)
#include "tst_tick.moc"
