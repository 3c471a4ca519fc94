// The alarm model told stories a second at a time, with the outcomes written out by hand.

#include "core/alarmmodel.h"

#include <QTimeZone>
#include <QtTest>
#include <functional>
#include <map>

namespace {

const QDate monday(2026, 12, 7);

ClockSample at(const QDate &date, int h, int m, int s = 0) {
    return {double(h * 3600 + m * 60 + s), date};
}

QString stamp(const ClockSample &now) {
    return now.date.toString(Qt::ISODate) + u' ' +
           QTime(0, 0).addSecs(now.wholeSeconds()).toString(QStringLiteral("hh:mm:ss"));
}

// What a tick decided about ringing, in words a table can hold.
QString said(const TickOutcome &out) {
    QStringList words;
    if (out.fired)
        words << QStringLiteral("rings");
    if (out.lateMinutes)
        words << QStringLiteral("late %1").arg(out.lateMinutes);
    if (out.attention)
        words << QStringLiteral("attention");
    if (out.beep)
        words << QStringLiteral("beep");
    if (out.missed)
        words << QStringLiteral("missed %1 %2").arg(out.missed->weekday).arg(out.missed->alarmTime);
    return words.join(u' ');
}

int secondsOf(const QString &hhmm) {
    return hhmm.left(2).toInt() * 3600 + hhmm.right(2).toInt() * 60;
}

// An alarm as the window sets it up from a stored file.
void arm(AlarmModel &alarm, const QString &hhmm, int weekday = 0, bool sound = true) {
    alarm.setSound(sound);
    alarm.setWeekday(weekday);
    alarm.setAlarm(hhmm, secondsOf(hhmm));
}

// Ticks once a second from `from` for `seconds`; a ringing alarm is stopped after `stopAfter`
// ticks. Each firing is noted as "date time" plus " beep" and " late N" when they apply.
struct Story {
    AlarmModel alarm;
    QStringList firings, missed, attention;
    std::multimap<QString, std::function<void(AlarmModel &)>> plan;
    int stopAfter = 20;

    void tick(const ClockSample &now) {
        for (auto [it, end] = plan.equal_range(stamp(now)); it != end; ++it)
            it->second(alarm);
        const TickOutcome out = alarm.tick(now, true, {});
        if (out.fired)
            firings << stamp(now) + (out.beep ? QStringLiteral(" beep") : QString()) +
                           (out.lateMinutes ? QStringLiteral(" late %1").arg(out.lateMinutes)
                                            : QString());
        if (out.missed)
            missed << stamp(now);
        if (out.attention)
            attention << stamp(now) + (out.inverted ? QStringLiteral(" inverted") : QString());
        ringingFor = out.ringing ? ringingFor + 1 : 0;
        if (ringingFor == stopAfter)
            alarm.clickSwitch();
    }
    void run(ClockSample from, qint64 seconds) {
        for (qint64 i = 0; i < seconds; ++i) {
            tick(from);
            from.seconds += 1;
            if (from.seconds >= 86400) {
                from.seconds -= 86400;
                from.date = from.date.addDays(1);
            }
        }
    }

private:
    int ringingFor = 0;
};

} // namespace

class TestAlarmModel : public QObject {
    Q_OBJECT

private slots:
    void aWeekOfChanges() {
        Story story;
        arm(story.alarm, QStringLiteral("07:30"));
        const auto setAlarm = [](const char *hhmm) {
            return [hhmm](AlarmModel &a) { a.setAlarm(hhmm, secondsOf(hhmm)); };
        };
        const auto day = [](int entry) { return [entry](AlarmModel &a) { a.setWeekday(entry); }; };
        const auto click = [](AlarmModel &a) { a.clickSwitch(); };
        const auto sound = [](bool on) { return [on](AlarmModel &a) { a.setSound(on); }; };
        story.plan = {
            // Tuesday: only Tuesdays, one minute before midnight.
            {"2026-12-08 12:00:30", day(3)},
            {"2026-12-08 12:00:31", setAlarm("23:59")},
            // Wednesday: every day at midnight, so Thursday 00:00.
            {"2026-12-09 12:00:30", day(0)},
            {"2026-12-09 12:00:31", setAlarm("00:00")},
            // Thursday: switched off, 13:00 stays silent.
            {"2026-12-10 12:00:30", setAlarm("13:00")},
            {"2026-12-10 12:00:31", click},
            // Friday: switched on again with sound off.
            {"2026-12-11 12:00:30", sound(false)},
            {"2026-12-11 12:00:31", click},
            // Saturday: only Saturdays at 14:00, sound on, re-armed in its own minute.
            {"2026-12-12 12:00:30", sound(true)},
            {"2026-12-12 12:00:31", day(7)},
            {"2026-12-12 12:00:32", setAlarm("14:00")},
            {"2026-12-12 14:00:05", click},
            // Sunday: only Mondays; then nothing chosen, never again.
            {"2026-12-13 12:00:30", day(2)},
            {"2026-12-14 15:00:00", day(-1)},
            {"2026-12-14 15:00:01", setAlarm("23:00")},
        };
        story.run(at(monday, 5, 0, 30), 8 * 86400);
        QCOMPARE(story.firings, QStringList({
                                    "2026-12-07 07:30:00 beep",
                                    "2026-12-08 07:30:00 beep",
                                    "2026-12-08 23:59:00 beep",
                                    "2026-12-10 00:00:00 beep",
                                    "2026-12-11 13:00:00",
                                    "2026-12-12 14:00:00 beep",
                                    "2026-12-14 14:00:00 beep",
                                }));
        QVERIFY(story.missed.isEmpty());
    }

    // The first tick is a new minute whatever the minute, so starting inside it rings.
    void startInsideTheAlarmMinute() {
        struct {
            const char *alarm;
            int weekday, second; // of the alarm minute at the start
            const char *expected;
        } const cases[] = {
            {"07:00", 0, 30, "rings beep"},          // a whole hour
            {"07:30", 2, 2, "rings attention beep"}, // Mondays, in the first seconds
            {"07:30", 3, 2, ""},                     // Tuesdays
            {"07:30", -1, 2, ""},                    // no day chosen
            {"00:00", 0, 0, "rings attention beep"}, // midnight
        };
        for (const auto &c : cases) {
            AlarmModel model;
            arm(model, c.alarm, c.weekday);
            QCOMPARE(said(model.tick({double(secondsOf(c.alarm) + c.second), monday}, true, {})),
                     c.expected);
        }
    }

    // Suspend or a clock step: the alarm minute inside the jump rings late, or is reported once
    // and stays armed for the next time.
    void aJumpOverTheAlarmMinute() {
        struct {
            ClockSample before, after;
            int weekday;
            const char *expected;
        } const cases[] = {
            {at(monday, 7, 0), at(monday, 7, 30, 20), 0, "rings attention beep"}, // in the minute
            {at(monday, 7, 0), at(monday, 7, 45), 0, "rings late 15 attention beep"},
            {at(monday, 7, 0), at(monday, 8, 0), 0, "rings late 30 attention beep"},
            {at(monday, 7, 0), at(monday, 8, 0, 1), 0, "missed 2 27000"}, // a second more
            // Slept over the Monday alarm into Tuesday.
            {at(monday.addDays(-1), 23, 0), at(monday.addDays(1), 7, 20), 2, "missed 2 27000"},
            {at(monday, 6, 0), at(monday, 7, 29), 0, ""}, // before the alarm
            {at(monday, 7, 0), at(monday, 7, 45), 3, ""}, // another day's minute
        };
        for (const auto &c : cases) {
            AlarmModel model;
            arm(model, QStringLiteral("07:30"), c.weekday);
            QVERIFY(!model.tick(c.before, true, {}).fired);
            const TickOutcome out = model.tick(c.after, true, {});
            QCOMPARE(said(out), c.expected);
            QCOMPARE(model.switchState(),
                     std::optional(out.fired ? SwitchState::Ringing : SwitchState::Armed));
            const TickOutcome next = model.tick({c.after.seconds + 1, c.after.date}, true, {});
            QVERIFY(!next.fired && !next.missed);
        }
    }

    // A clock set back over a minute that rang rings it no second time that day.
    void aClockSetBackRingsNoMinuteTwice() {
        Story story;
        arm(story.alarm, QStringLiteral("07:30"));
        story.run(at(monday, 7, 29, 50), 40); // rings, stopped after 20 s
        story.run(at(monday, 7, 29, 0), 120);
        story.run(at(monday.addDays(1), 7, 29, 59), 2);
        QCOMPARE(story.firings,
                 QStringList({"2026-12-07 07:30:00 beep", "2026-12-08 07:30:00 beep"}));
    }

    // Attention only in the first seconds, also across midnight, the display flashing.
    void ringingAsksForAttentionBriefly() {
        Story story;
        story.stopAfter = -1; // it rings on
        arm(story.alarm, QStringLiteral("23:59"));
        story.run(at(monday, 23, 58, 59), 65);
        QCOMPARE(story.attention,
                 QStringList({"2026-12-07 23:59:00 inverted", "2026-12-07 23:59:01",
                              "2026-12-07 23:59:02 inverted", "2026-12-07 23:59:03"}));
        QCOMPARE(story.alarm.switchState(), std::optional(SwitchState::Ringing));
        QCOMPARE(story.alarm.clickSwitch(), SwitchClick::Changed);
        const TickOutcome after = story.alarm.tick(at(monday.addDays(1), 0, 0, 4), true, {});
        QVERIFY(!after.ringing && after.refresh && !after.inverted);
    }

    // 29 March: 02:00-02:59 does not exist; the clock jumps over 02:30 and it rings late.
    // 25 October: 02:00-02:59 comes twice; rung once, not again. Moved to 02:50 in the first
    // pass, it rings then and not in the repeated hour either.
    void daylightSavingInCopenhagen() {
        const QTimeZone copenhagen("Europe/Copenhagen");
        if (!copenhagen.isValid())
            QSKIP("no time zone data for Europe/Copenhagen (package tzdata)");
        const std::pair<QDate, QStringList> cases[] = {
            {QDate(2026, 3, 28), {"2026-03-29 03:00:00 beep late 30", "2026-03-30 02:30:00 beep"}},
            {QDate(2026, 10, 24),
             {"2026-10-25 02:30:00 beep", "2026-10-25 02:50:00 beep", "2026-10-26 02:50:00 beep"}},
        };
        for (const auto &[day, expected] : cases) {
            Story story;
            arm(story.alarm, QStringLiteral("02:30"));
            story.plan = {{"2026-10-25 02:40:00", [](AlarmModel &a) {
                               a.setAlarm(QStringLiteral("02:50"), 2 * 3600 + 50 * 60);
                           }}};
            const qint64 start = QDateTime(day, QTime(12, 0), QTimeZone::utc()).toSecsSinceEpoch();
            for (qint64 s = start; s < start + 2 * 86400; ++s) {
                const QDateTime local = QDateTime::fromSecsSinceEpoch(s, copenhagen);
                story.tick({local.time().msecsSinceStartOfDay() / 1000.0, local.date()});
            }
            QCOMPARE(story.firings, expected);
        }
    }

    // A window stored minimised goes down at the tenth tick, unless the user works with it after
    // the start-up's own ticks.
    void delayedMinimise() {
        for (const auto &[touchedAt, minimisedAt] : {std::pair{0, 10}, {2, 10}, {3, 0}}) {
            AlarmModel model;
            arm(model, QStringLiteral("07:30"));
            model.minimiseAfterStart();
            int minimised = 0;
            for (int n = 1; n <= 20; ++n) {
                if (n == touchedAt)
                    model.markSaveDue();
                if (model.tick(at(monday, 12, 0, n), true, {}).minimise)
                    minimised = n;
            }
            QCOMPARE(minimised, minimisedAt);
        }
    }

    // Saved at the next new minute, not before, and with the switch as shown before it rang;
    // a change made while the window is minimised is not saved.
    void savesAtTheMinuteBeforeTheAlarmIsChecked() {
        for (const bool windowNormal : {true, false}) {
            AlarmModel model;
            arm(model, QStringLiteral("07:30"));
            model.tick(at(monday, 7, 29, 30), true, {});
            QList<std::optional<SwitchState>> saved;
            const auto save = [&] { saved << model.switchState(); };
            model.markChanged();
            model.tick(at(monday, 7, 29, 31), windowNormal, save);
            QVERIFY(saved.isEmpty());
            model.tick(at(monday, 7, 30, 0), windowNormal, save);
            QCOMPARE(saved, windowNormal ? QList<std::optional<SwitchState>>({SwitchState::Armed})
                                         : QList<std::optional<SwitchState>>());
            QCOMPARE(model.switchState(), std::optional(SwitchState::Ringing));
        }
    }

    void nextRinging() {
        struct {
            int weekday;
            ClockSample now;
            QDateTime expected; // invalid: none
        } const cases[] = {
            {0, at(monday, 6, 0), QDateTime(monday, QTime(7, 30))},             // later today
            {0, at(monday, 7, 30), QDateTime(monday.addDays(1), QTime(7, 30))}, // now: tomorrow
            {1, at(monday, 6, 0), QDateTime(monday.addDays(6), QTime(7, 30))},  // Sundays
            {2, at(monday, 8, 0), QDateTime(monday.addDays(7), QTime(7, 30))},  // Mondays, past
            {-1, at(monday, 6, 0), QDateTime()},                                // no day
        };
        for (const auto &c : cases) {
            AlarmModel model;
            arm(model, QStringLiteral("07:30"), c.weekday);
            QCOMPARE(model.nextRinging(c.now).value_or(QDateTime()), c.expected);
            model.clickSwitch(); // off
            QCOMPARE(model.nextRinging(c.now), std::nullopt);
        }
    }
};

QTEST_GUILESS_MAIN(TestAlarmModel)
#include "tst_alarmmodel.moc"
