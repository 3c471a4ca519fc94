#include "core/clocksample.h"

#include <QDateTime>
#include <cmath>
#include <optional>

namespace {
// The local zone's offset from UTC in seconds at a moment given in UTC milliseconds.
int localOffsetAt(qint64 epochMsecs) {
    return QDateTime::fromMSecsSinceEpoch(epochMsecs, Qt::LocalTime).offsetFromUtc();
}
} // namespace

ClockSample::ClockSample(const QDateTime &instant) : moment(instant.toUTC()) {
    const QDateTime local = moment.toLocalTime();
    seconds = local.time().msecsSinceStartOfDay() / 1000.0;
    date = local.date();
}

ClockSample::ClockSample(double secondsOfDay, const QDate &day)
    : ClockSample(localMoment(day, qRound64(secondsOfDay * 1000))) {}

QDateTime localMoment(const QDate &date, qint64 msecsOfDay) {
    // Qt leaves a local time inside a skipped hour invalid and puts one inside a repeated hour
    // in its second pass; both are resolved here from the offsets on either side of the day.
    constexpr qint64 msecsPerDay = 86400 * 1000;
    const qint64 asUtc = QDateTime(date, QTime(0, 0), Qt::UTC).toMSecsSinceEpoch() + msecsOfDay;
    const int before = localOffsetAt(asUtc - msecsPerDay);
    const int after = localOffsetAt(asUtc + msecsPerDay);
    std::optional<qint64> first;
    for (const int offset : {before, after}) {
        const qint64 candidate = asUtc - offset * 1000LL;
        if (localOffsetAt(candidate) == offset && (!first || candidate < *first))
            first = candidate;
    }
    return QDateTime::fromMSecsSinceEpoch(first.value_or(asUtc - before * 1000LL), Qt::UTC);
}
