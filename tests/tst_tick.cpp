// The once-a-second tick: when an alarm fires, how it rings, and what the window shows.

#include "fakes.h"

#include <QLabel>
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
    static QColor timeBackground(Form1 &form) {
        return child<QLabel>(form, "Label(4)")->palette().color(QPalette::Window);
    }

private slots:
    void nextTickLandsJustAfterTheWholeSecond() {
        QCOMPARE(msUntilNextSecond({100.0, QDate(2026, 1, 1)}), 1005);
        QCOMPARE(msUntilNextSecond({100.999, QDate(2026, 1, 1)}), 6);
        QCOMPARE(msUntilNextSecond({86399.5, QDate(2026, 1, 1)}), 505); // last second of the day
    }

    // Rings on past midnight: activation and Num Lock still only in the first four seconds.
    void ringingRestoresMarksAndFlashes() {
        TestRig rig;
        rig.clock.set(QDate(2026, 12, 7), 23, 58, 59); // a Monday, alarm on Mondays
        auto form = rig.started(iniWithAlarm(QStringLiteral("23:59"), 2));
        form->show();
        form->ToMin();
        QVERIFY(minimised(*form));
        rig.attention.calls.clear();
        run(*form, rig.clock, 1);
        QVERIFY(!minimised(*form));
        QCOMPARE(form->windowTitle(), QStringLiteral("Alarm !!!"));
        // The beep only in the firing tick; activation before Num Lock.
        QCOMPARE(rig.attention.calls, QStringList({"beep", "front", "numlock"}));
        const QColor first = timeBackground(*form);
        run(*form, rig.clock, 1);
        QVERIFY(timeBackground(*form) != first);
        run(*form, rig.clock, 1);
        QCOMPARE(timeBackground(*form), first);
        run(*form, rig.clock, 60 + 120);
        QCOMPARE(form->model().switchState(), std::optional(SwitchState::Ringing));
        QCOMPARE(rig.attention.calls.join(u' '), "beep" + QString(" front numlock").repeated(4));
        QCOMPARE(rig.notifier.shown, QStringList(QStringLiteral("Alarm !!!|Mondag 23:59")));

        form->CmdStop_Click();
        run(*form, rig.clock, 1);
        QCOMPARE(form->windowTitle(), QStringLiteral("Norvak Vekora"));
        QCOMPARE(timeBackground(*form), QApplication::palette().color(QPalette::Button));
        // Minimised, the caption names the next alarm, now on Tuesday.
        form->ToMin();
        run(*form, rig.clock, 1);
        QCOMPARE(form->windowTitle(), QStringLiteral("Mo 23:59 ((o))"));
        form->CmdStop_Click(); // off
        run(*form, rig.clock, 1);
        QCOMPARE(form->windowTitle(), QStringLiteral("Off"));
    }

    // Typed into during the delayed minimise: the window stays up.
    void typingCancelsTheDelayedMinimise() {
        TestRig rig;
        rig.clock.set(QDate(2026, 12, 7), 12, 0, 10);
        QStringList ini = iniWithAlarm(QStringLiteral("07:30"));
        ini[1] = QStringLiteral("1 1 ");
        auto form = rig.started(ini);
        form->show();
        run(*form, rig.clock, 3);
        QTest::keyClick(child(*form, "txtMsg"), Qt::Key_A);
        run(*form, rig.clock, 20);
        QVERIFY(!minimised(*form));
    }

    // Woken from sleep: the tick runs at once and the notification says how late it rings; a
    // longer sleep gives one notice instead.
    void wokenAfterTheAlarmMinute() {
        // Woken this many minutes after 07:00: what the notifications say, then the title.
        const std::pair<int, const char *> cases[] = {
            {42, "Alarm !!!|Meeting\nRings 12 min. late. / Alarm !!!"},
            {90, "Missed alarm: Mon 07:30|Meeting / Norvak Vekora"},
        };
        for (const auto &[wokenAt, expected] : cases) {
            TestRig rig;
            rig.clock.set(QDate(2026, 12, 7), 7, 0);
            QStringList ini = iniWithAlarm(QStringLiteral("07:30"), 2);
            ini[6] = QStringLiteral("Meeting");
            auto form = rig.started(ini);
            rig.clock.set(QDate(2026, 12, 7), 7 + wokenAt / 60, wokenAt % 60);
            emit rig.sleep.resumed();
            QCOMPARE((rig.notifier.shown + rig.notifier.notices + QStringList(form->windowTitle()))
                         .join(QStringLiteral(" / ")),
                     expected);
        }
    }

    // The machine is woken a minute before the alarm and kept awake until it has rung.
    void wakesTheMachineForTheAlarm() {
        TestRig rig;
        rig.clock.set(QDate(2026, 12, 7), 7, 0); // Monday; the alarm is on Tuesdays
        auto form = rig.started(iniWithAlarm(QStringLiteral("07:30"), 3));
        const qint64 tuesday = QDateTime(QDate(2026, 12, 8), QTime(7, 29)).toSecsSinceEpoch();
        QCOMPARE(rig.wake.wakeup, std::optional(tuesday));
        form->CmdStop_Click(); // off
        QCOMPARE(rig.wake.wakeup, std::nullopt);
        form->CmdStop_Click(); // on
        QCOMPARE(rig.wake.wakeup, std::optional(tuesday));

        // Woken at 07:29 on Tuesday: held awake through the ringing, free again on Stop.
        rig.clock.set(QDate(2026, 12, 8), 7, 29);
        emit rig.sleep.resumed();
        QVERIFY(rig.sleep.held);
        rig.clock.set(QDate(2026, 12, 8), 7, 30);
        form->Timer1_Timer();
        QCOMPARE(form->model().switchState(), std::optional(SwitchState::Ringing));
        QVERIFY(rig.sleep.held);
        form->CmdStop_Click();
        QVERIFY(!rig.sleep.held);
        QCOMPARE(rig.wake.wakeup, std::optional(tuesday + 7 * 86400));
        answerNextMessage(QMessageBox::Yes);
        form->menuExit_Click();
        QCOMPARE(rig.wake.wakeup, std::nullopt);
    }

    // The window's own timer, not the test, keeps the clock going.
    void theTimerRearmsItself() {
        TestRig rig;
        rig.clock.set(QDate(2026, 12, 7), 12, 0, 0.995);
        Form1 form(rig.platform());
        auto *time = child<QLabel>(form, "Label(4)");
        QTRY_COMPARE(time->text(), QStringLiteral("12:00:00"));
        rig.clock.set(QDate(2026, 12, 7), 12, 0, 1.995);
        QTRY_COMPARE(time->text(), QStringLiteral("12:00:01"));
    }
};

QTEST_MAIN(TestTick)
#include "tst_tick.moc"
