// The once-a-second tick: when an alarm fires, how it rings, and what the window shows.

#include "core/clocktexts.h"
#include "fakes.h"
#include "platform/numlockblinker.h"

#include "datarow.h"
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>

#include <QtTest>

namespace {
const QDate monday(2026, 12, 7);
} // namespace

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
    // The date line in each language's layout, weekday and year only before one is chosen.
    void dateLine_data() {
        QTest::addColumn<int>("language"); // -1: none chosen
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("expected");
        row("English", 0, QDate(2003, 3, 5), "Wednesdag March, 5 2003");
        row("Danish", 1, QDate(2003, 3, 5), "Onsdag 5. marts 2003");
        row("none chosen", -1, QDate(2003, 3, 5), "Wednesdag 2003");
        row("Danish letters", 1, QDate(2023, 1, 1), "Søndag 1. januar 2023");
    }
    void dateLine() {
        QFETCH(int, language);
        QFETCH(QDate, date);
        QFETCH(QString, expected);
        const auto chosen = language < 0 ? std::nullopt : std::optional(Language(language));
        QCOMPARE(::dateLine(chosen, strings(Language(std::max(language, 0))).main, date), expected);
    }

    // Rings on past midnight: activation and Num Lock still only in the first four seconds.
    void ringingRestoresMarksAndFlashes() {
        TestRig rig;
        rig.clock.set(monday, 23, 58, 59); // alarm on Mondays
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
        // The beep only in the firing tick; the window forward in each of four ticks.
        rig.attention.calls.removeAll(QStringLiteral("numlock"));
        QCOMPARE(rig.attention.calls.join(u' '), "beep" + QString(" front").repeated(4));
        QCOMPARE(rig.notifier.ringing, QStringList(QStringLiteral("Alarm !!!|Mondag 23:59")));

        clickSwitch(*form);
        run(*form, rig.clock, 1);
        QCOMPARE(form->windowTitle(), QStringLiteral("Norvak Vekora"));
        QCOMPARE(timeBackground(*form), QApplication::palette().color(QPalette::Button));
    }

    // Each blink is two presses a pause apart that a person can see, from a timer and not inside
    // the tick; the second comes also when the ringing is stopped between them, so the keyboard's
    // Num Lock ends as it was.
    void numLockBlinksVisibly_data() {
        QTest::addColumn<bool>("stopAtOnce");
        row("rings on", false);
        row("stopped between the presses", true);
    }
    void numLockBlinksVisibly() {
        QFETCH(bool, stopAtOnce);
        TestRig rig;
        rig.clock.set(monday, 7, 29, 59);
        auto form = rig.started(iniWithAlarm(QStringLiteral("07:30")));
        rig.attention.calls.clear();
        run(*form, rig.clock, 1);
        // The window forward first; the tick itself does not wait for the second press.
        QCOMPARE(rig.attention.calls, QStringList({"beep", "front", "numlock"}));
        if (stopAtOnce)
            clickSwitch(*form);
        QTRY_COMPARE(rig.attention.pressedAt.size(), 2);
        const qint64 pause = rig.attention.pressedAt[1] - rig.attention.pressedAt[0];
        QVERIFY2(pause >= 100 && pause <= 1000, qPrintable(QString::number(pause)));
        QTest::qWait(2 * int(NumLockBlinker::pause.count()));
        QCOMPARE(rig.attention.pressedAt.size(), 2);
    }

    // Woken from sleep: the tick runs at once and the notification says how late it rings; a
    // longer sleep gives one notice instead.
    void wokenAfterTheAlarmMinute_data() {
        QTest::addColumn<int>("wokenAt");      // minutes after 07:00
        QTest::addColumn<QString>("expected"); // the notifications, then the title
        row("12 min late", 42, "Alarm !!!|Meeting\nRings 12 min. late. / Alarm !!!");
        row("an hour late", 90, "Missed alarm: Mon 07:30|Meeting / Norvak Vekora");
    }
    void wokenAfterTheAlarmMinute() {
        QFETCH(int, wokenAt);
        QFETCH(QString, expected);
        TestRig rig;
        rig.clock.set(monday, 7, 0);
        QStringList ini = iniWithAlarm(QStringLiteral("07:30"), 2);
        ini[6] = QStringLiteral("Meeting");
        auto form = rig.started(ini);
        rig.clock.set(monday, 7 + wokenAt / 60, wokenAt % 60);
        emit rig.sleep.resumed();
        QCOMPARE((rig.notifier.ringing + rig.notifier.notices + QStringList(form->windowTitle()))
                     .join(QStringLiteral(" / ")),
                 expected);
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
                QCOMPARE(rig.notifier.ringing.size(), 1);
                clickSwitch(w);
                QCOMPARE(rig.notifier.ringing.value(1), QStringLiteral("-"));
                QCOMPARE(rig.wake.wakeup, std::optional(wakeup + 7 * 86400));
            },
            [](MainWindow &w, TestRig &) { clickSwitch(w); }, // Off before it rings
            [](MainWindow &w, TestRig &) { child<QLineEdit>(w, "alarmField")->setText("09:00"); },
            [](MainWindow &w, TestRig &rig) {
                w.exitAsked();
                answerMessage(w, QMessageBox::Yes);
                QCOMPARE(rig.wake.wakeup, std::nullopt);
            },
        };
        for (const auto &wayOut : waysOut) {
            TestRig rig;
            rig.clock.set(monday, 7, 0); // the alarm is on Tuesdays
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

    // The sound is made ready a minute before the alarm, so it is heard on the alarm's second,
    // and not at start, when most runs never ring.
    void soundIsMadeReadyJustBefore() {
        TestRig rig;
        rig.clock.set(monday, 7, 28, 58);
        auto form = rig.started(iniWithAlarm(QStringLiteral("07:30")));
        run(*form, rig.clock, 1);
        QCOMPARE(rig.attention.calls, QStringList());
        run(*form, rig.clock, 1);
        QCOMPARE(rig.attention.calls, QStringList{"prepare"});
        run(*form, rig.clock, 60);
        QCOMPARE(rig.attention.calls.mid(0, 2), QStringList({"prepare", "beep"}));
    }

    // A list with no day chosen never rings; the language switch fills it anew with every day
    // chosen, and the machine is then woken for that alarm.
    void languageSwitchWakesForTheEveryDayItChose() {
        TestRig rig;
        rig.clock.set(monday, 7, 0);
        auto form = rig.started(iniWithAlarm(QStringLiteral("07:30"), -1));
        QCOMPARE(rig.wake.wakeup, std::nullopt);
        form->controller().setLanguage(1);
        QCOMPARE(rig.wake.wakeup, QDateTime(monday, QTime(7, 29)).toSecsSinceEpoch());
    }

    // Snoozed, a notification names the time it rings again, in the language of the moment, and
    // offers to cancel it; it goes when the snooze rings and whenever the snooze is dropped. While
    // minimised the title names the snooze's time. Nothing of it reaches the settings file.
    void snoozeShows_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("way");
        QTest::addColumn<QStringList>("snoozed"); // the snooze notification, "-": withdrawn
        QTest::addColumn<QString>("title");       // at 07:41, minimised since 07:35
        const QString snoozed = "Snoozed until 07:40|Meeting";
        row("rings", "0", "", QStringList{snoozed, "-"}, "Alarm !!!");
        row("cancelled", "0", "cancel", QStringList{snoozed, "-"}, "Tu 07:30 ((o))");
        row("switched off", "0", "off", QStringList{snoozed, "-"}, "Off");
        row("new time", "0", "time", QStringList{snoozed, "-"}, "08:00 ((o))");
        row("new weekday", "0", "weekday", QStringList{snoozed, "-"}, "Tu 07:30 ((o))");
        row("exit", "0", "exit", QStringList{snoozed, "-"}, "");
        row("Danish", "1", "cancel", QStringList{"Udsat til 07:40|Meeting", "-"}, "Ti 07:30 ((o))");
    }
    void snoozeShows() {
        QFETCH(QString, language);
        QFETCH(QString, way);
        QFETCH(QStringList, snoozed);
        QFETCH(QString, title);
        TestRig rig;
        rig.clock.set(monday, 7, 29, 59);
        QStringList ini = iniWithAlarm(QStringLiteral("07:30"));
        ini[0] = language;
        ini[6] = QStringLiteral("Meeting");
        auto form = rig.started(ini);
        run(*form, rig.clock, 5);
        emit rig.notifier.snoozeRequested();
        QCOMPARE(rig.notifier.labels().snooze, language == u"1" ? "Udsæt 10 min" : "Snooze 10 min");
        form->show();
        form->minimise();
        run(*form, rig.clock, 295);
        QCOMPARE(form->windowTitle(), QStringLiteral("07:40 ((o))"));
        if (way == u"cancel")
            emit rig.notifier.cancelSnoozeRequested();
        else if (way == u"off")
            clickSwitch(*form);
        else if (way == u"time")
            child<QLineEdit>(*form, "alarmField")->setText(QStringLiteral("08:00"));
        else if (way == u"weekday")
            child<QComboBox>(*form, "weekdayBox")->setCurrentIndex(3);
        else if (way == u"exit")
            form->saveAndQuit();
        if (way != u"exit") {
            run(*form, rig.clock, 6 * 60);
            QCOMPARE(form->windowTitle(), title);
        }
        QCOMPARE(rig.notifier.snoozed, snoozed);
    }

    // A failed save is said without holding the clock: the message stays up while the time runs
    // and the alarm rings on its second. Said once for a run of failures, again after a success,
    // and always at Exit, where the old file is still whole.
    void aFailedSaveNeverHoldsTheClock() {
        TestRig rig;
        Platform platform = rig.platform();
        const QString blocked = rig.folder() + QStringLiteral("blocked");
        platform.settingsReadFile = rig.iniPath();
        platform.settingsFile = blocked + QStringLiteral("/Vekora.ini");
        const auto block = [&](bool on) {
            QFile::remove(blocked);
            QDir(blocked).removeRecursively();
            QVERIFY(on ? QFile(blocked).open(QIODevice::WriteOnly) : QDir().mkpath(blocked));
        };
        block(true);
        rig.writeIni(iniWithAlarm(QStringLiteral("07:30")));
        rig.clock.set(monday, 7, 28, 50);
        // A message that waited in a loop of its own would hold the tick until answered.
        bool held = false;
        QTimer watchdog;
        QObject::connect(&watchdog, &QTimer::timeout, [&held] {
            if (QWidget *modal = QApplication::activeModalWidget()) {
                held = true;
                modal->close();
            }
        });
        watchdog.start(200);
        auto form = TestRig::stopped(std::make_unique<MainWindow>(platform));
        form->start();
        form->show();
        const auto messages = [&] {
            QStringList texts;
            for (QMessageBox *box : form->findChildren<QMessageBox *>())
                texts << box->text().section(u':', 0, 0);
            return texts;
        };
        const QString failed = "Vekora could not save its settings in " + platform.settingsFile;
        const auto changeAndRun = [&](int seconds) {
            form->controller().markSaveDue();
            run(*form, rig.clock, seconds);
        };
        changeAndRun(10); // 07:29:00
        QVERIFY(!held);
        QCOMPARE(messages(), QStringList{failed});
        changeAndRun(60); // 07:30:00, the second failure unsaid
        QCOMPARE(form->windowTitle(), QStringLiteral("Alarm !!!"));
        QCOMPARE(child<QLabel>(*form, "timeDisplay")->text(), QStringLiteral("07:30:00"));
        QCOMPARE(messages(), QStringList{failed});
        block(false);
        changeAndRun(60);
        QVERIFY(QFile::exists(platform.settingsFile));
        block(true);
        changeAndRun(60);
        QCOMPARE(messages(), QStringList({failed, failed}));
        form->exitAsked();
        const QString question = answerMessage(*form, QMessageBox::No);
        QVERIFY2(question.startsWith(failed) &&
                     question.endsWith(QStringLiteral("Do you really want to exit Vekora?")),
                 qPrintable(question));
    }
};

QTEST_MAIN(TestTick)
#include "tst_tick.moc"
