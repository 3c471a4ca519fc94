#pragma once

#include <QDate>

// One reading of the wall clock: the time of day and the date always belong to the same instant.
struct ClockSample {
    double seconds = 0; // since local midnight, with fraction, 0 <= seconds < 86400
    QDate date;

    // Whole seconds, never rounded up into the next second, so 0..86399.
    int wholeSeconds() const { return static_cast<int>(seconds); }
    // Sunday = 1 .. Saturday = 7.
    int weekday() const { return date.dayOfWeek() % 7 + 1; }
};
