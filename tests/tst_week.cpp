// Days of simulated time, a tick a second, checked against a model written from the rules alone:
// an armed alarm rings at the first tick of its minute on its day, once per day and minute.

#include "fakes.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTimeZone>
#include <QtTest>
#include <functional>
#include <map>

namespace {

enum class Switch { Off, Armed, Ringing };

struct Firing {
    QDate date;
    QString time;
    bool beep = false;
    bool operator==(const Firing &) const = default;
};

QString describe(const QList<Firing> &firings) {
    QStringList out;
    for (const Firing &f : firings)
        out << f.date.toString(Qt::ISODate) + u' ' + f.time +
                   (f.beep ? QStringLiteral(" beep") : QString());
    return out.join(QStringLiteral(", "));
}

// What should happen, from the rules alone.
struct Model {
    Switch state = Switch::Armed;
    int alarmMinute = 0;
    int entry = 0;
    bool sound = true;
    int shownMinute = 0; // the display starts at 00:00:00
    std::optional<std::pair<QDate, int>> lastRung;

    std::optional<Firing> tick(const ClockSample &now) {
        const int t = now.wholeSeconds();
        const int minute = t / 60 % 60;
        const bool newMinute = minute != shownMinute;
        shownMinute = minute;
        const bool dayMatches = entry == 0 || entry == now.weekday();
        const std::pair<QDate, int> occasion{now.date, alarmMinute};
        if (!newMinute || state != Switch::Armed || t / 60 != alarmMinute || !dayMatches ||
            lastRung == occasion)
            return std::nullopt;
        lastRung = occasion;
        state = Switch::Ringing;
        return Firing{now.date, QTime(0, 0).addSecs(t).toString(QStringLiteral("hh:mm:ss")), sound};
    }
    void click() { state = state == Switch::Armed ? Switch::Off : Switch::Armed; }
};

// A change the user makes, to the window and to the model alike.
using Action = std::function<void(Form1 &, Model &)>;

Action setAlarm(const QString &hhmm) {
    return [hhmm](Form1 &form, Model &model) {
        form.findChild<QLineEdit *>(QStringLiteral("txtAlrm"))->setText(hhmm);
        model.alarmMinute = hhmm.left(2).toInt() * 60 + hhmm.right(2).toInt();
        model.state = Switch::Armed;
    };
}
Action setDay(int entry) {
    return [entry](Form1 &form, Model &model) {
        form.findChild<QComboBox *>(QStringLiteral("cboDay"))->setCurrentIndex(entry);
        form.cboDay_Click();
        model.entry = entry;
    };
}
Action click() {
    return [](Form1 &form, Model &model) {
        form.CmdStop_Click();
        model.click();
    };
}
Action sound(bool on) {
    return [on](Form1 &form, Model &model) {
        form.mLyd(on);
        model.sound = on;
    };
}

struct Run {
    QList<Firing> seen;
    QList<Firing> expected;
    QStringList displayLog; // what the clock showed around moments of interest
};

// Drives the window once per second of `next`'s clock for `ticks` seconds. `actions` are keyed by
// local "yyyy-MM-dd hh:mm:ss"; the user stops a ringing alarm after `stopAfter` ticks.
Run drive(TestRig &rig, Form1 &form, Model &model, const std::function<void()> &next, qint64 ticks,
          const std::multimap<QString, Action> &actions, const QStringList &watch = {},
          int stopAfter = 20) {
    Run run;
    auto *display = form.findChild<QLabel *>(QStringLiteral("Label(4)"));
    int ringingFor = 0;
    qsizetype beeps = 0;
    for (qint64 i = 0; i < ticks; ++i) {
        next();
        const ClockSample now = rig.clock.now();
        const QString stamp =
            now.date.toString(Qt::ISODate) + u' ' +
            QTime(0, 0).addSecs(now.wholeSeconds()).toString(QStringLiteral("hh:mm:ss"));
        for (auto [it, end] = actions.equal_range(stamp); it != end; ++it)
            it->second(form, model);

        const bool wasRinging = form.switchState() == SwitchState::Ringing;
        form.Timer1_Timer();
        if (const auto expected = model.tick(now))
            run.expected << *expected;
        if (!wasRinging && form.switchState() == SwitchState::Ringing) {
            const bool beeped = rig.attention.calls.count(QStringLiteral("beep")) > beeps;
            run.seen << Firing{now.date, display->text(), beeped};
        }
        beeps = rig.attention.calls.count(QStringLiteral("beep"));
        if (watch.contains(stamp))
            run.displayLog << stamp + QStringLiteral(" -> ") + display->text();

        ringingFor = form.switchState() == SwitchState::Ringing ? ringingFor + 1 : 0;
        if (ringingFor == stopAfter)
            click()(form, model);
    }
    return run;
}

} // namespace

class TestWeek : public QObject {
    Q_OBJECT

private slots:
    void eightDaysMatchTheRules() {
        TestRig rig;
        rig.clock.set(QDate(2026, 12, 7), 5, 0, 30); // a Monday morning
        auto form = rig.started(iniWithAlarm(QStringLiteral("07:30"), 0));
        Model model;
        model.alarmMinute = 7 * 60 + 30;
        model.shownMinute = 0;

        const std::multimap<QString, Action> plan{
            // Tuesday: only Tuesdays, one minute before midnight.
            {"2026-12-08 12:00:30", setDay(3)},
            {"2026-12-08 12:00:31", setAlarm(QStringLiteral("23:59"))},
            // Wednesday: every day at midnight, so Thursday 00:00.
            {"2026-12-09 12:00:30", setDay(0)},
            {"2026-12-09 12:00:31", setAlarm(QStringLiteral("00:00"))},
            // Thursday: switched off, 13:00 stays silent.
            {"2026-12-10 12:00:30", setAlarm(QStringLiteral("13:00"))},
            {"2026-12-10 12:00:31", click()},
            // Friday: switched on again with sound off.
            {"2026-12-11 12:00:30", sound(false)},
            {"2026-12-11 12:00:31", click()},
            // Saturday: only Saturdays at 14:00, sound on, re-armed while it rings.
            {"2026-12-12 12:00:30", sound(true)},
            {"2026-12-12 12:00:31", setDay(7)},
            {"2026-12-12 12:00:32", setAlarm(QStringLiteral("14:00"))},
            {"2026-12-12 14:00:05", click()},
            // Sunday: only Mondays, so Monday 14:00; then nothing chosen, never again.
            {"2026-12-13 12:00:30", setDay(2)},
            {"2026-12-14 15:00:00", setDay(-1)},
        };
        QElapsedTimer timer;
        timer.start();
        const Run run = drive(
            rig, *form, model, [&rig] { rig.clock.advance(1); }, 8 * 86400, plan);
        qInfo("%lld ticks in %lld ms", qint64(8 * 86400), timer.elapsed());

        QCOMPARE(describe(run.seen), describe(run.expected));
        const QList<Firing> story{
            {QDate(2026, 12, 7), "07:30:00", true},   {QDate(2026, 12, 8), "07:30:00", true},
            {QDate(2026, 12, 8), "23:59:00", true},   {QDate(2026, 12, 10), "00:00:00", true},
            {QDate(2026, 12, 11), "13:00:00", false}, {QDate(2026, 12, 12), "14:00:00", true},
            {QDate(2026, 12, 14), "14:00:00", true},
        };
        QCOMPARE(describe(run.seen), describe(story));
    }

    void daylightSavingChangesInCopenhagen_data() {
        QTest::addColumn<QDateTime>("startUtc");
        QTest::addColumn<QStringList>("watch");
        QTest::addColumn<QString>("expected");
        const QTimeZone utc(QByteArrayLiteral("UTC"));
        // 29 March: 02:00 does not exist, 02:30 is missed; 30 March it rings.
        QTest::newRow("spring forward")
            << QDateTime(QDate(2026, 3, 28), QTime(12, 0), utc)
            << QStringList({"2026-03-29 01:59:59", "2026-03-29 03:00:00"})
            << QStringLiteral("2026-03-30 02:30:00 beep");
        // 25 October: 02:00-02:59 comes twice; stopped once, it does not ring again. The alarm set
        // to 02:50 before its first pass rings then, and not in the repeated hour either.
        QTest::newRow("fall back")
            << QDateTime(QDate(2026, 10, 24), QTime(12, 0), utc)
            << QStringList({"2026-10-25 02:59:59", "2026-10-25 02:00:00"})
            << QStringLiteral("2026-10-25 02:30:00 beep, 2026-10-25 02:50:00 beep, "
                              "2026-10-26 02:50:00 beep");
    }
    void daylightSavingChangesInCopenhagen() {
        QFETCH(QDateTime, startUtc);
        QFETCH(QStringList, watch);
        QFETCH(QString, expected);
        const QTimeZone copenhagen("Europe/Copenhagen");
        if (!copenhagen.isValid())
            QSKIP("no time zone data for Europe/Copenhagen (package tzdata)");
        TestRig rig;
        qint64 utcSeconds = startUtc.toSecsSinceEpoch();
        const auto sampleAt = [&copenhagen](qint64 s) {
            const QDateTime local = QDateTime::fromSecsSinceEpoch(s, copenhagen);
            return ClockSample{local.time().msecsSinceStartOfDay() / 1000.0, local.date()};
        };
        rig.clock.sample = sampleAt(utcSeconds);
        auto form = rig.started(iniWithAlarm(QStringLiteral("02:30"), 0));
        Model model;
        model.alarmMinute = 150;
        model.shownMinute = 0;
        // The first pass of 02:40 on the autumn day: move the alarm to 02:50.
        const std::multimap<QString, Action> plan{
            {"2026-10-25 02:40:00", setAlarm(QStringLiteral("02:50"))}};
        const Run run = drive(
            rig, *form, model, [&] { rig.clock.sample = sampleAt(++utcSeconds); }, 2 * 86400, plan,
            watch);
        for (const QString &line : run.displayLog)
            qInfo("Copenhagen %s", qPrintable(line));
        QCOMPARE(describe(run.seen), expected);
        QCOMPARE(describe(run.expected), expected);
    }
};

QTEST_MAIN(TestWeek)
#include "tst_week.moc"
