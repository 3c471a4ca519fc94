// The once-a-second tick: when an alarm fires, how it rings, and what the window shows.

#include "fakes.h"

#include <QLabel>
#include <QLineEdit>
#include <QtTest>

class TestTick : public QObject {
    Q_OBJECT

    // Runs the tick once a second from the clock's present time for the given number of seconds.
    static void run(MainWindow &form, FakeClock &clock, int seconds) {
        for (int i = 0; i < seconds; ++i) {
            clock.advance(1);
            form.controller().tick();
        }
    }
    static QColor timeBackground(MainWindow &form) {
        return child<QLabel>(form, "timeDisplay")->palette().color(QPalette::Window);
    }

private slots:
    // Rings on past midnight: activation and Num Lock still only in the first four seconds.
    void ringingRestoresMarksAndFlashes() {
        TestRig rig;
        rig.clock.set(QDate(2026, 12, 7), 23, 58, 59); // a Monday, alarm on Mondays
        auto form = rig.started(iniWithAlarm(QStringLiteral("23:59"), 2));
        form->show();
        form->minimise();
        rig.attention.calls.clear();
        run(*form, rig.clock, 1);
        QVERIFY(!minimised(*form));
        QCOMPARE(form->windowTitle(), QStringLiteral("Alarm !!!"));
        const QColor first = timeBackground(*form);
        run(*form, rig.clock, 1);
        QVERIFY(timeBackground(*form) != first);
        run(*form, rig.clock, 1);
        QCOMPARE(timeBackground(*form), first);
        run(*form, rig.clock, 60 + 120);
        QCOMPARE(form->controller().model().switchState(), std::optional(SwitchState::Ringing));
        // The beep only in the firing tick; activation before Num Lock.
        QCOMPARE(rig.attention.calls.join(u' '), "beep" + QString(" front numlock").repeated(4));
        QCOMPARE(rig.notifier.shown, QStringList(QStringLiteral("Alarm !!!|Mondag 23:59")));

        clickSwitch(*form);
        run(*form, rig.clock, 1);
        QCOMPARE(form->windowTitle(), QStringLiteral("Norvak Vekora"));
        QCOMPARE(timeBackground(*form), QApplication::palette().color(QPalette::Button));
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

    // The machine is woken a minute before the alarm; woken then, it is kept awake until the
    // alarm has rung, and let go by every way out of the ringing or the wait for it. Stop also
    // takes the notification away and asks for next week's wake-up; leaving asks for none.
    void wakesTheMachineForTheAlarm() {
        const QDate tuesday(2026, 12, 8);
        const qint64 wakeup = QDateTime(tuesday, QTime(7, 29)).toSecsSinceEpoch();
        const std::function<void(MainWindow &, TestRig &)> waysOut[] = {
            [wakeup](MainWindow &w, TestRig &rig) { // Stop, once it rings
                w.controller().tick();
                QCOMPARE(rig.notifier.shown.size(), 1);
                clickSwitch(w);
                QCOMPARE(rig.notifier.withdrawn, 1);
                QCOMPARE(rig.wake.wakeup, std::optional(wakeup + 7 * 86400));
            },
            [](MainWindow &w, TestRig &) { clickSwitch(w); }, // Off before it rings
            [](MainWindow &w, TestRig &) { child<QLineEdit>(w, "alarmField")->setText("24:00"); },
            [](MainWindow &w, TestRig &rig) {
                answerNextMessage(QMessageBox::Yes);
                w.exitAsked();
                QCOMPARE(rig.wake.wakeup, std::nullopt);
            },
        };
        for (const auto &wayOut : waysOut) {
            TestRig rig;
            rig.clock.set(QDate(2026, 12, 7), 7, 0); // Monday; the alarm is on Tuesdays
            auto form = rig.started(iniWithAlarm(QStringLiteral("07:30"), 3));
            QCOMPARE(rig.wake.wakeup, std::optional(wakeup));
            rig.clock.set(tuesday, 7, 29, 30);
            emit rig.sleep.resumed();
            QVERIFY(rig.sleep.held);
            rig.clock.set(tuesday, 7, 30);
            wayOut(*form, rig);
            QVERIFY(!rig.sleep.held);
        }
    }
};

QTEST_MAIN(TestTick)
#include "tst_tick.moc"
