#include "platform/clock.h"

#include <QDateTime>
#include <cmath>

ClockSample SystemClock::now() const {
    const QDateTime now = QDateTime::currentDateTime();
    return {now.time().msecsSinceStartOfDay() / 1000.0, now.date()};
}

int msUntilNextSecond(const ClockSample &sample) {
    // A few milliseconds past the second so that the tick never lands just before it.
    constexpr int lateBy = 5;
    const double fraction = sample.seconds - std::floor(sample.seconds);
    return static_cast<int>(std::ceil((1.0 - fraction) * 1000.0)) + lateBy;
}
