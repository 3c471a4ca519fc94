#include "platform/clock.h"

#include <QtNumeric>

int msUntilNextSecond(const ClockSample &sample) {
    // A few milliseconds past the second so that the tick never lands just before it.
    constexpr int lateBy = 5;
    // Samples are whole milliseconds; rounding undoes the binary fraction's error.
    const int msIntoSecond = static_cast<int>(qRound64(sample.seconds * 1000.0) % 1000);
    return 1000 - msIntoSecond + lateBy;
}
