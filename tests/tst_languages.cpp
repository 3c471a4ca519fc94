// The program's texts, exact where they are composed.

#include "core/clocktexts.h"
#include "fakes.h"

#include <QtTest>

namespace {

MainTexts texts(bool danish) {
    return strings(danish ? Language::Danish : Language::English).main;
}

} // namespace

class TestLanguages : public QObject {
    Q_OBJECT

private slots:
    // The Danish letters survive the trip from source to screen, and the shortened weekdays cut
    // characters, not bytes.
    void exactTexts() {
        const MainTexts da = texts(true);
        const std::pair<QString, const char *> cases[] = {
            {weekdayEntries(da)[7], "Lør"},
            {timeText(3723), "01:02:03"},
            {timeText(86400), "24:00:00"},
        };
        for (const auto &[actual, expected] : cases)
            QCOMPARE(actual, QString::fromUtf8(expected));
    }

    void dateLine() {
        const QDate wed(2003, 3, 5);
        struct {
            int language; // -1 none chosen
            QDate date;
            const char *expected;
        } const cases[] = {
            {0, wed, "Wednesdag March, 5 2003"},
            {1, wed, "Onsdag 5. marts 2003"},
            {-1, wed, "Wednesdag 2003"},
            {1, QDate(2023, 1, 1), "Søndag 1. januar 2023"},
        };
        for (const auto &c : cases) {
            const auto chosen = c.language < 0 ? std::nullopt : std::optional(Language(c.language));
            QCOMPARE(::dateLine(chosen, texts(c.language == 1), c.date),
                     QString::fromUtf8(c.expected));
        }
    }

    void minimisedCaption() {
        const int wed = 4, sat = 7;
        struct {
            bool danish;
            int dayIndex, weekday; // weekday: today, Sunday = 1
            bool passed, armed, sound;
            const char *expected;
        } const cases[] = {
            {false, 0, sat, true, true, true, "Su 07:30 ((o))"}, // passed: tomorrow, past Saturday
            {false, wed, wed, false, true, true, "07:30 ((o))"},
            {false, wed, wed, true, true, true, "We 07:30 ((o))"},
            {false, 2, wed, false, true, false, "Mo 07:30"},
            {false, 2, wed, false, false, true, "Off"},
            {true, sat, wed, false, true, true, "Lø 07:30 ((o))"}};
        for (const auto &c : cases) {
            AlarmModel alarm;
            alarm.setSound(c.sound);
            alarm.setWeekday(c.dayIndex);
            alarm.setAlarm(QStringLiteral("07:30"), 27000);
            if (!c.armed)
                alarm.setSwitchState(SwitchState::Off);
            const ClockSample now{c.passed ? 27060.0 : 26999.5,
                                  QDate(2026, 12, 6).addDays(c.weekday - 1)}; // a Sunday on
            alarm.tick(now, true, {});
            QCOMPARE(::minimisedCaption(texts(c.danish), alarm, now),
                     QString::fromUtf8(c.expected));
        }
    }
};

QTEST_MAIN(TestLanguages)
#include "tst_languages.moc"
