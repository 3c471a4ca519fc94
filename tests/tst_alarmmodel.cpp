// The alarm model told stories a second at a time, with the outcomes written out by hand.

#include "core/alarmmodel.h"

#include <QTimeZone>
#include <QtTest>
#include <ctime>
#include <functional>
#include <map>

namespace {

const QDate monday(2026, 12, 7);

ClockSample at(const QDate &date, int h, int m, int s = 0) {
    return {double(h * 3600 + m * 60 + s), date};
}

// The process's local time zone for as long as it lives.
struct LocalZone {
    const QByteArray before = qgetenv("TZ");
    explicit LocalZone(const QByteArray &zone) { set(zone); }
    ~LocalZone() { set(before); }
    static void set(const QByteArray &zone) {
        zone.isEmpty() ? qunsetenv("TZ") : qputenv("TZ", zone);
        tzset();
    }
};

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

// Ticks from `from`, a ringing alarm stopped after 20 ticks; each firing or notice is noted
// as "date time" and what the tick said.
struct Story {
    AlarmModel alarm;
    QStringList said;
    int ringingFor = 0;
    bool zoneNamed = false; // each firing with the zone it rang in
    std::multimap<QString, std::function<void(AlarmModel &)>> plan;
    QStringList snoozes; // when the notification's Snooze is chosen

    void tick(const ClockSample &now) {
        for (auto [it, end] = plan.equal_range(stamp(now)); it != end; ++it)
            it->second(alarm);
        if (snoozes.contains(stamp(now)))
            alarm.snooze(now.moment);
        const TickOutcome out = alarm.tick(now, true, {});
        if (out.fired || out.missed)
            said << stamp(now) + (zoneNamed ? now.moment.toLocalTime().toString(" t") : "") + u' ' +
                        ::said(out);
        ringingFor = out.ringing ? ringingFor + 1 : 0;
        if (ringingFor == 20)
            alarm.clickSwitch();
    }
    // Real time, a second a tick: the local reading may jump where real time does not.
    void run(const ClockSample &from, qint64 seconds) {
        for (qint64 i = 0; i < seconds; ++i)
            tick(ClockSample(from.moment.addSecs(i)));
    }
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
            // Wednesday: at midnight, so Thursday 00:00.
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
            // Sunday: only Mondays.
            {"2026-12-13 12:00:30", day(2)},
        };
        story.run(at(monday, 5, 0, 30), 8 * 86400);
        QCOMPARE(story.said, QStringList({
                                 "2026-12-07 07:30:00 rings attention beep",
                                 "2026-12-08 07:30:00 rings attention beep",
                                 "2026-12-09 07:30:00 rings attention beep",
                                 "2026-12-10 00:00:00 rings attention beep",
                                 "2026-12-11 13:00:00 rings attention",
                                 "2026-12-12 14:00:00 rings attention beep",
                                 "2026-12-14 14:00:00 rings attention beep",
                             }));
    }

    // A start (no tick before) inside the alarm minute rings, the first tick being a new minute
    // whatever the minute. Suspend or a clock step: the alarm minute inside the jump rings late,
    // or is reported once and stays armed for the next time.
    void aStartOrAJumpOverTheAlarmMinute() {
        const std::optional<ClockSample> start;
        struct {
            std::optional<ClockSample> before;
            ClockSample after;
            int weekday;
            const char *expected;
        } const cases[] = {
            {start, at(monday, 7, 30, 30), 0, "rings beep"},
            {start, at(monday, 7, 30, 2), 2, "rings attention beep"}, // Mondays, first seconds
            {start, at(monday, 7, 31), 0, ""},                        // a minute after
            {at(monday, 7, 0), at(monday, 7, 45), 0, "rings late 15 attention beep"},
            {at(monday, 7, 0), at(monday, 8, 0), 0, "rings late 30 attention beep"},
            {at(monday, 7, 0), at(monday, 8, 0, 1), 0, "missed 2 27000"}, // a second more
            // Slept over the Monday alarm into Tuesday; every day, Tuesday's may still ring.
            {at(monday.addDays(-1), 23, 0), at(monday.addDays(1), 7, 20), 2, "missed 2 27000"},
            {at(monday.addDays(-1), 23, 0), at(monday.addDays(1), 7, 40), 0,
             "rings late 10 attention beep"},
        };
        for (const auto &c : cases) {
            AlarmModel model;
            arm(model, QStringLiteral("07:30"), c.weekday);
            if (c.before)
                QVERIFY(!model.tick(*c.before, true, {}).fired);
            const TickOutcome out = model.tick(c.after, true, {});
            QCOMPARE(said(out), c.expected);
            QCOMPARE(model.switchState(),
                     std::optional(out.fired ? SwitchState::Ringing : SwitchState::Armed));
            const TickOutcome next = model.tick(ClockSample(c.after.moment.addSecs(1)), true, {});
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
        QCOMPARE(story.said, QStringList({"2026-12-07 07:30:00 rings attention beep",
                                          "2026-12-08 07:30:00 rings attention beep"}));
    }

    // Awake through a daylight-saving or time-zone change: never a missed-alarm notice. In
    // Copenhagen 29 March skips 02:00-02:59, so 02:15 rings as 03:15; 25 October shows 02:00-02:59
    // twice and 02:30 rings in the first pass only. Moved to London the alarm keeps the wall
    // clock; moved to Helsinki past 07:30 it waits for the next day.
    void daylightSavingAndTimeZones() {
        if (!QTimeZone("Europe/Copenhagen").isValid())
            QSKIP("no time zone data (package tzdata)");
        const QByteArray cph = "Europe/Copenhagen", london = "Europe/London";
        struct {
            QByteArray zone, laterZone; // the later one from 06:15 UTC the next day
            QDate day;                  // from 12:00 UTC, for 44 hours
            const char *alarm;
            QStringList expected;
        } const cases[] = {
            {cph, {}, QDate(2026, 3, 28), "02:15", {"03-29 03:15:00 CEST", "03-30 02:15:00 CEST"}},
            {cph, {}, QDate(2026, 10, 24), "02:30", {"10-25 02:30:00 CEST", "10-26 02:30:00 CET"}},
            {cph, london, monday, "07:30", {"12-08 07:30:00 GMT", "12-09 07:30:00 GMT"}},
            {london, "Europe/Helsinki", monday, "07:30", {"12-09 07:30:00 EET"}},
        };
        for (const auto &c : cases) {
            const LocalZone zone(c.zone);
            Story story;
            story.zoneNamed = true;
            arm(story.alarm, c.alarm);
            const ClockSample start(QDateTime(c.day, QTime(12, 0), Qt::UTC));
            const int change = 18 * 3600 + 15 * 60;
            story.run(start, change);
            if (!c.laterZone.isEmpty())
                LocalZone::set(c.laterZone);
            story.run(ClockSample(start.moment.addSecs(change)), 44 * 3600 - change);
            QStringList expected;
            for (const QString &at : c.expected)
                expected << QStringLiteral("2026-%1 rings attention beep").arg(at);
            QCOMPARE(story.said, expected);
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
            {2, at(monday, 8, 0), QDateTime(monday.addDays(7), QTime(7, 30))},  // Mondays, past
            {-1, at(monday, 6, 0), QDateTime()},                                // no day
        };
        for (const auto &c : cases) {
            AlarmModel model;
            arm(model, QStringLiteral("07:30"), c.weekday);
            QCOMPARE(model.nextRinging(c.now).value_or(QDateTime()), c.expected);
        }
    }

    // Snoozed from the notification, the alarm rings again ten minutes later, as often as asked,
    // and follows the alarm's rules over a sleep; off, it does not. Due together with the alarm's
    // own moment, the two ring once. The machine is woken for whichever comes first.
    void snoozeStories() {
        const auto click = [](AlarmModel &a) { a.clickSwitch(); };
        struct {
            QStringList snoozes;
            std::multimap<QString, std::function<void(AlarmModel &)>> plan;
            ClockSample sleepFrom, sleepTo; // a suspend, or none when equal
            QStringList expected;
        } const cases[] = {
            {{"2026-12-07 07:30:05", "2026-12-07 07:40:07"},
             {},
             {},
             {},
             {"2026-12-07 07:40:05 rings attention beep",
              "2026-12-07 07:50:07 rings attention beep"}},
            // Off drops it, and on again does not bring it back.
            {{"2026-12-07 07:30:05"},
             {{"2026-12-07 07:31:00", click}, {"2026-12-07 07:32:00", click}},
             {},
             {},
             {}},
            {{"2026-12-07 07:30:05"},
             {},
             at(monday, 7, 31),
             at(monday, 7, 43),
             {"2026-12-07 07:43:00 rings late 2 attention beep"}},
            {{"2026-12-07 07:30:05"},
             {},
             at(monday, 7, 31),
             at(monday, 8, 21),
             {"2026-12-07 08:21:00 missed 2 27600"}},
            {{"2026-12-07 07:30:05"},
             {},
             at(monday, 7, 31),
             at(monday.addDays(1), 7, 35),
             {"2026-12-08 07:35:00 rings late 5 attention beep"}},
        };
        for (const auto &c : cases) {
            Story story;
            arm(story.alarm, QStringLiteral("07:30"));
            story.snoozes = c.snoozes;
            story.plan = c.plan;
            const bool sleeps = c.sleepFrom.moment != c.sleepTo.moment;
            story.run(at(monday, 7, 29, 59), sleeps ? 62 : 40 * 60);
            if (sleeps)
                story.run(c.sleepTo, 20 * 60);
            QCOMPARE(story.said,
                     QStringList{"2026-12-07 07:30:00 rings attention beep"} + c.expected);
        }

        AlarmModel model;
        arm(model, QStringLiteral("07:30"));
        model.tick(at(monday, 7, 30, 1), true, {});
        const ClockSample chosen = at(monday, 7, 30, 9);
        QVERIFY(model.snooze(chosen.moment));
        QVERIFY(!model.snooze(chosen.moment)); // nothing rings now
        QCOMPARE(model.nextWake(chosen), chosen.moment.addSecs(600));
        model.clickSwitch();
        model.clickSwitch();
        QCOMPARE(model.nextWake(chosen), QDateTime(monday.addDays(1), QTime(7, 30)));
    }

    // Closed over the alarm: the next start tells of it once, and only while it is recent. The
    // first tick rings what it still can.
    void missedWhileClosed() {
        struct {
            ClockSample lastRun, start;
            std::optional<MissedAlarm> expected;
        } const cases[] = {
            {at(monday, 7, 0), at(monday, 7, 40), MissedAlarm{2, 27000}},
            {at(monday, 7, 40), at(monday, 7, 41), std::nullopt},           // a restart after it
            {at(monday, 7, 0), at(monday.addDays(1), 3, 30), std::nullopt}, // 20 hours after
            {at(monday, 7, 0), at(monday, 7, 30, 30), std::nullopt},        // the first tick rings
        };
        for (const auto &c : cases) {
            AlarmModel model;
            arm(model, QStringLiteral("07:30"));
            QCOMPARE(model.missedWhileClosed(c.lastRun.moment, c.start), c.expected);
        }
    }
};

QTEST_GUILESS_MAIN(TestAlarmModel)
#include "tst_alarmmodel.moc"
