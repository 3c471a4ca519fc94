// The alarm model told stories a second at a time, with the outcomes written out by hand.

#include "core/alarmmodel.h"

#include "datarow.h"
#include <QTimeZone>

#include <QtTest>
#include <ctime>

namespace {

const QDate monday(2026, 12, 7);

ClockSample at(const QDate &date, int h, int m, int s = 0) {
    return {double(h * 3600 + m * 60 + s), date};
}

// "2026-12-07 07:30:00" in local time.
ClockSample at(const QString &stamp) {
    const QDateTime local = QDateTime::fromString(stamp, QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    return {double(local.time().msecsSinceStartOfDay() / 1000), local.date()};
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

// Ticks a second at a time on the real clock, a ringing alarm stopped after 20 ticks. The plan's
// lines, "yyyy-MM-dd hh:mm:ss what", act before the tick of that local time: "time hh:mm",
// "weekday n", "click", "sound 0|1", "snooze", "cancel", "zone Area/City", "step seconds" (the
// clock jumps, as over a sleep or a clock set by hand). Each firing or notice is noted in `said`
// as "date time" and what the tick said; each moment announced as the next wake in `announced`.
struct Story {
    AlarmModel alarm;
    QStringList plan, said, announced;
    int ringingFor = 0;
    bool zoneNamed = false; // each firing with the zone it rang in
    qint64 shift = 0;       // seconds the clock was stepped by
    ClockSample now;

    Story() {
        QObject::connect(&alarm, &AlarmModel::nextWakeChanged, [this](const auto &moment) {
            announced << stamp(now).mid(11) + u' ' +
                             (moment ? moment->toUTC().toString(QStringLiteral("ddd hh:mm'Z'"))
                                     : QStringLiteral("none"));
        });
    }
    void act(const QString &line) {
        const QStringList words = line.mid(20).split(u' ');
        const QString what = words.value(0), value = words.value(1);
        if (what == u"time")
            alarm.setAlarm(value, secondsOf(value));
        else if (what == u"weekday")
            alarm.setWeekday(value.toInt());
        else if (what == u"click")
            alarm.clickSwitch();
        else if (what == u"sound")
            alarm.setSound(value == u"1");
        else if (what == u"snooze")
            alarm.snooze(now.moment);
        else if (what == u"cancel")
            alarm.cancelSnooze();
        else if (what == u"zone")
            LocalZone::set(value.toLatin1());
        else if (what == u"step")
            shift += value.toLongLong();
        else
            QFAIL(qPrintable(line));
    }
    void tick(const ClockSample &sample) {
        now = sample;
        for (const QString &line : std::as_const(plan))
            if (line.startsWith(stamp(now)))
                act(line);
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
            tick(ClockSample(from.moment.addSecs(i + shift)));
    }
};

} // namespace

class TestAlarmModel : public QObject {
    Q_OBJECT

private slots:
    // A start (no tick before) inside the alarm minute rings, the first tick being a new minute
    // whatever the minute. Suspend or a clock step: the alarm minute inside the jump rings late,
    // or is reported once and stays armed for the next time.
    void aStartOrAJumpOverTheAlarmMinute_data() {
        QTest::addColumn<QString>("before"); // empty: the program starts
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("weekday");
        QTest::addColumn<QString>("expected");
        row("start in the minute", "", "2026-12-07 07:30:30", 0, "rings beep");
        row("start in its first seconds, Mondays", "", "2026-12-07 07:30:02", 2,
            "rings attention beep");
        row("start a minute after", "", "2026-12-07 07:31:00", 0, "");
        row("woken 15 min after", "2026-12-07 07:00:00", "2026-12-07 07:45:00", 0,
            "rings late 15 attention beep");
        row("woken 30 min after", "2026-12-07 07:00:00", "2026-12-07 08:00:00", 0,
            "rings late 30 attention beep");
        row("woken a second more", "2026-12-07 07:00:00", "2026-12-07 08:00:01", 0,
            "missed 2 27000");
        row("slept into Tuesday, Mondays", "2026-12-06 23:00:00", "2026-12-08 07:20:00", 2,
            "missed 2 27000");
        row("slept into Tuesday, every day", "2026-12-06 23:00:00", "2026-12-08 07:40:00", 0,
            "rings late 10 attention beep");
        row("slept two days over a weekly alarm", "2026-12-07 07:00:00", "2026-12-09 08:00:00", 2,
            "missed 2 27000");
    }
    void aStartOrAJumpOverTheAlarmMinute() {
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(int, weekday);
        QFETCH(QString, expected);
        AlarmModel model;
        arm(model, QStringLiteral("07:30"), weekday);
        if (!before.isEmpty())
            QVERIFY(!model.tick(at(before), true, {}).fired);
        const TickOutcome out = model.tick(at(after), true, {});
        QCOMPARE(said(out), expected);
        QCOMPARE(model.switchState(),
                 std::optional(out.fired ? SwitchState::Ringing : SwitchState::Armed));
        const TickOutcome next = model.tick(ClockSample(at(after).moment.addSecs(1)), true, {});
        QVERIFY(!next.fired && !next.missed);
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
    void daylightSavingAndTimeZones_data() {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QByteArray>("laterZone"); // from 06:15 UTC the next day
        QTest::addColumn<QDate>("day");            // from 12:00 UTC, for 44 hours
        QTest::addColumn<QString>("alarm");
        QTest::addColumn<QStringList>("expected");
        const QByteArray cph = "Europe/Copenhagen", london = "Europe/London";
        row("spring", cph, QByteArray(), QDate(2026, 3, 28), "02:15",
            QStringList{"03-29 03:15:00 CEST", "03-30 02:15:00 CEST"});
        row("autumn", cph, QByteArray(), QDate(2026, 10, 24), "02:30",
            QStringList{"10-25 02:30:00 CEST", "10-26 02:30:00 CET"});
        row("to London", cph, london, monday, "07:30",
            QStringList{"12-08 07:30:00 GMT", "12-09 07:30:00 GMT"});
        row("to Helsinki", london, QByteArray("Europe/Helsinki"), monday, "07:30",
            QStringList{"12-09 07:30:00 EET"});
    }
    void daylightSavingAndTimeZones() {
        if (!QTimeZone("Europe/Copenhagen").isValid())
            QSKIP("no time zone data (package tzdata)");
        QFETCH(QByteArray, zone);
        QFETCH(QByteArray, laterZone);
        QFETCH(QDate, day);
        QFETCH(QString, alarm);
        QFETCH(QStringList, expected);
        const LocalZone local(zone);
        Story story;
        story.zoneNamed = true;
        arm(story.alarm, alarm);
        const ClockSample start(QDateTime(day, QTime(12, 0), Qt::UTC));
        const int change = 18 * 3600 + 15 * 60;
        story.run(start, change);
        if (!laterZone.isEmpty())
            LocalZone::set(laterZone);
        story.run(ClockSample(start.moment.addSecs(change)), 44 * 3600 - change);
        for (QString &at : expected)
            at = QStringLiteral("2026-%1 rings attention beep").arg(at);
        QCOMPARE(story.said, expected);
    }

    // What rings next, announced whenever it moves and only then, as "local time of the tick:
    // moment in UTC". In Copenhagen, 07:30 every day from Monday 06:00 for three hours.
    void nextWakeIsAnnounced_data() {
        QTest::addColumn<QStringList>("plan");
        QTest::addColumn<QStringList>("announced");
        const QString first = "06:00:00 Mon 06:30Z", rang = "07:30:00 Tue 06:30Z";
        row("rings, then tomorrow", QStringList(), QStringList{first, rang});
        row("new time", QStringList{"2026-12-07 06:10:00 time 08:00"},
            QStringList{first, "06:10:00 Mon 07:00Z", "08:00:00 Tue 07:00Z"});
        row("Tuesdays", QStringList{"2026-12-07 06:10:00 weekday 3"},
            QStringList{first, "06:10:00 Tue 06:30Z"});
        row("no day", QStringList{"2026-12-07 06:10:00 weekday -1"},
            QStringList{first, "06:10:00 none"});
        row("off and on", QStringList{"2026-12-07 06:10:00 click", "2026-12-07 06:20:00 click"},
            QStringList{first, "06:10:00 none", "06:20:00 Mon 06:30Z", rang});
        row("sound, same moment", QStringList{"2026-12-07 06:10:00 sound 0"},
            QStringList{first, rang});
        row("snoozed, rings again", QStringList{"2026-12-07 07:30:05 snooze"},
            QStringList{first, rang, "07:30:05 Mon 06:40Z", "07:40:05 Tue 06:30Z"});
        row("snooze cancelled",
            QStringList{"2026-12-07 07:30:05 snooze", "2026-12-07 07:35:00 cancel"},
            QStringList{first, rang, "07:30:05 Mon 06:40Z", "07:35:00 Tue 06:30Z"});
        row("snooze dropped by a weekday",
            QStringList{"2026-12-07 07:30:05 snooze", "2026-12-07 07:32:00 weekday 3"},
            QStringList{first, rang, "07:30:05 Mon 06:40Z", "07:32:00 Tue 06:30Z"});
        row("snooze dropped by a new time",
            QStringList{"2026-12-07 07:30:05 snooze", "2026-12-07 07:32:00 time 08:30"},
            QStringList{first, rang, "07:30:05 Mon 06:40Z", "07:32:00 Mon 07:30Z",
                        "08:30:00 Tue 07:30Z"});
        // The machine's zone replaced under the running program: seen at the next tick.
        row("moved to New York", QStringList{"2026-12-07 06:10:00 zone America/New_York"},
            QStringList{first, "06:10:00 Mon 12:30Z"});
        row("clock set back a day", QStringList{"2026-12-07 06:10:00 step -86400"},
            QStringList{first, "06:10:01 Sun 06:30Z", "07:30:00 Mon 06:30Z"});
    }
    void nextWakeIsAnnounced() {
        if (!QTimeZone("America/New_York").isValid())
            QSKIP("no time zone data (package tzdata)");
        QFETCH(QStringList, plan);
        QFETCH(QStringList, announced);
        const LocalZone zone("Europe/Copenhagen");
        Story story;
        arm(story.alarm, QStringLiteral("07:30"));
        story.plan = plan;
        story.run(at(monday, 6, 0), 3 * 3600);
        QCOMPARE(story.announced, announced);
        QCOMPARE(story.alarm.nextWake().has_value(), announced.constLast().endsWith(u'Z'));
    }

    // A window stored minimised goes down at the tenth tick, unless the user works with it after
    // the start-up's own ticks.
    void delayedMinimise_data() {
        QTest::addColumn<int>("touchedAt");
        QTest::addColumn<int>("minimisedAt"); // 0: never
        row("untouched", 0, 10);
        row("touched by the start-up", 2, 10);
        row("touched by the user", 3, 0);
    }
    void delayedMinimise() {
        QFETCH(int, touchedAt);
        QFETCH(int, minimisedAt);
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

    // Saved at the next new minute, not before, and with the switch as shown before it rang;
    // a change made while the window is minimised is not saved. Sound off, it rings silently.
    void savesAtTheMinuteBeforeTheAlarmIsChecked() {
        for (const bool windowNormal : {true, false}) {
            AlarmModel model;
            arm(model, QStringLiteral("07:30"), 0, windowNormal); // and sound only in one
            model.tick(at(monday, 7, 29, 30), true, {});
            QList<std::optional<SwitchState>> saved;
            const auto save = [&] { saved << model.switchState(); };
            model.markChanged();
            model.tick(at(monday, 7, 29, 31), windowNormal, save);
            QVERIFY(saved.isEmpty());
            QCOMPARE(model.tick(at(monday, 7, 30, 0), windowNormal, save).beep, windowNormal);
            QCOMPARE(saved, windowNormal ? QList<std::optional<SwitchState>>({SwitchState::Armed})
                                         : QList<std::optional<SwitchState>>());
            QCOMPARE(model.switchState(), std::optional(SwitchState::Ringing));
        }
    }

    // Snoozed from the notification, the alarm rings again ten minutes later, as often as asked,
    // and follows the alarm's rules over a sleep; off, it does not. Everything after the first
    // ringing at 07:30:00.
    void snoozeStories_data() {
        QTest::addColumn<QStringList>("plan");
        QTest::addColumn<QStringList>("expected");
        row("twice", QStringList{"2026-12-07 07:30:05 snooze", "2026-12-07 07:40:07 snooze"},
            QStringList{"2026-12-07 07:40:05 rings attention beep",
                        "2026-12-07 07:50:07 rings attention beep"});
        // Off drops it, and on again does not bring it back.
        row("off and on",
            QStringList{"2026-12-07 07:30:05 snooze", "2026-12-07 07:31:00 click",
                        "2026-12-07 07:32:00 click"},
            QStringList());
        row("asleep 12 min",
            QStringList{"2026-12-07 07:30:05 snooze", "2026-12-07 07:31:00 step 719"},
            QStringList{"2026-12-07 07:43:00 rings late 2 attention beep"});
        row("asleep 50 min",
            QStringList{"2026-12-07 07:30:05 snooze", "2026-12-07 07:31:00 step 2999"},
            QStringList{"2026-12-07 08:21:00 missed 2 27600"});
        // The alarm's own moment inside the snooze: the two ring once.
        row("asleep till tomorrow",
            QStringList{"2026-12-07 07:30:05 snooze", "2026-12-07 07:31:00 step 86639"},
            QStringList{"2026-12-08 07:35:00 rings late 5 attention beep"});
    }
    void snoozeStories() {
        QFETCH(QStringList, plan);
        QFETCH(QStringList, expected);
        Story story;
        arm(story.alarm, QStringLiteral("07:30"));
        story.plan = plan;
        story.run(at(monday, 7, 29, 59), 40 * 60);
        QCOMPARE(story.said, QStringList{"2026-12-07 07:30:00 rings attention beep"} + expected);
    }
};

QTEST_GUILESS_MAIN(TestAlarmModel)
#include "tst_alarmmodel.moc"
