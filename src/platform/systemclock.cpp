#include "platform/systemclock.h"

#include <QDateTime>

ClockSample SystemClock::now() const {
    return ClockSample(QDateTime::currentDateTimeUtc());
}
