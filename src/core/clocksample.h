#pragma once

#include <QDate>
#include <QDateTime>

// The weekday as the weekday list counts: Sunday = 1 .. Saturday = 7.
inline int weekdayOf(const QDate &date) {
    return date.dayOfWeek() % 7 + 1;
}

// One reading of the clock: an absolute moment, and the local date and time of day it showed
// then. The local reading is derived from the moment, so the two always belong together.
struct ClockSample {
    ClockSample() = default;
    explicit ClockSample(const QDateTime &instant);
    // The moment the local clock shows `secondsOfDay` on `day` (the first time, in a repeated
    // hour; the time the shift gives it, in a skipped one).
    ClockSample(double secondsOfDay, const QDate &day);

    QDateTime moment;   // in UTC: a later change of time zone does not move it
    double seconds = 0; // local time since midnight, with fraction, 0 <= seconds < 86400
    QDate date;         // local date

    // Whole seconds, never rounded up into the next second, so 0..86399.
    int wholeSeconds() const { return static_cast<int>(seconds); }
    // Sunday = 1 .. Saturday = 7.
    int weekday() const { return weekdayOf(date); }
};

// The moment the local clock first shows `msecsOfDay` on `date`. Where it never does (the hour
// skipped in spring), the moment the offset before the change gives it, so 02:30 becomes 03:30.
QDateTime localMoment(const QDate &date, qint64 msecsOfDay);
