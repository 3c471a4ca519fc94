#include "core/alarmmodel.h"

#include <algorithm>

namespace {

// The first tick looks back this far, so a start inside the alarm minute still rings it.
constexpr int firstTickLookBackSeconds = 60;

MissedAlarm missedAt(const QDateTime &moment) {
    const QDateTime local = moment.toLocalTime();
    return {weekdayOf(local.date()), local.time().msecsSinceStartOfDay() / 1000 / 60 * 60};
}

// The local minute as one running count, so that any change of it shows.
qint64 minuteCount(const ClockSample &sample) {
    return sample.date.toJulianDay() * 24 * 60 + sample.wholeSeconds() / 60;
}
} // namespace

std::optional<QDateTime> ringingMomentAfter(int alarmTime, int weekday, const QDateTime &after) {
    if (weekday < 0 || weekday > 7)
        return std::nullopt;
    const QDate today = after.toLocalTime().date();
    for (int ahead = 0; ahead <= 7; ++ahead) {
        const QDate date = today.addDays(ahead);
        if (weekday != 0 && weekday != weekdayOf(date))
            continue;
        const QDateTime moment = localMoment(date, alarmTime * 1000LL);
        if (moment > after)
            return moment;
    }
    return std::nullopt;
}

std::optional<QDateTime> AlarmModel::lastMomentIn(const QDateTime &from,
                                                  const QDateTime &until) const {
    std::optional<QDateTime> last;
    for (auto next = ringingMomentAfter(alarmTime_, weekday_, from); next && *next <= until;
         next = ringingMomentAfter(alarmTime_, weekday_, *next))
        last = next;
    return last;
}

void AlarmModel::setAlarm(const QString &text, std::optional<int> seconds) {
    alarmText_ = text;
    if (seconds != alarmTime_)
        snoozeUntil_.reset();
    if (seconds) {
        alarmTime_ = *seconds;
        setSwitchState(SwitchState::Armed);
    } else {
        setSwitchState(SwitchState::Error);
    }
}

void AlarmModel::setWeekday(int entry) {
    if (entry != weekday_)
        snoozeUntil_.reset();
    weekday_ = entry;
}

void AlarmModel::setSwitchState(SwitchState state) {
    const std::optional<SwitchState> before = switchState_;
    switchState_ = state;
    if (state != SwitchState::Ringing)
        attentionFrom_.reset();
    // Off or in error nothing rings, and a ringing alarm has used the snooze up.
    if (state != SwitchState::Armed)
        snoozeUntil_.reset();
    emit switchStateChanged(state, before);
}

SwitchClick AlarmModel::clickSwitch() {
    SwitchClick result = SwitchClick::Nothing;
    if (switchState_) {
        switch (*switchState_) {
        case SwitchState::Error:
            result = SwitchClick::ShowError;
            break;
        case SwitchState::Ringing:
        case SwitchState::Off:
            setSwitchState(SwitchState::Armed);
            result = SwitchClick::Changed;
            break;
        case SwitchState::Armed:
            setSwitchState(SwitchState::Off);
            result = SwitchClick::Changed;
            break;
        }
    }
    inverted_ = false;
    refreshDue_ = true;
    return result;
}

TickOutcome AlarmModel::tick(const ClockSample &now, bool windowNormal,
                             const std::function<void()> &save) {
    TickOutcome out;
    const qint64 minute = minuteCount(now);

    if (windowNormal && refreshDue_)
        saveDue_ = true;
    if (minimisePending_) {
        ++ticksSinceStart_;
        if (ticksSinceStart_ == minimiseAtTick) {
            minimisePending_ = false;
            out.minimise = true;
        }
        // The start-up's own changes must not count as the user's.
        if (ticksSinceStart_ <= startupTicks)
            saveDue_ = false;
        // The user worked with the window: it stays as it is.
        if (saveDue_ && ticksSinceStart_ > startupTicks) {
            minimisePending_ = false;
            saveDue_ = false;
        }
    }

    // The very first tick counts as a new minute, so a start inside the alarm minute rings.
    out.minuteChanged = !previousMinute_ || *previousMinute_ != minute;
    if (out.minuteChanged) {
        if (saveDue_) {
            if (save)
                save();
            saveDue_ = false;
        }
        refreshDue_ = true;
        if (switchState_ == SwitchState::Armed)
            checkAlarm(now, out);
    } else if (switchState_ == SwitchState::Armed && snoozeUntil_ && *snoozeUntil_ <= now.moment) {
        // A snooze ends at any second, not at the start of a minute.
        checkAlarm(now, out);
    }
    previous_ = now.moment;
    previousMinute_ = minute;
    out.refreshDate = refreshDue_;

    if (switchState_ == SwitchState::Ringing) {
        out.ringing = true;
        out.beep = out.fired && sound_;
        if (attentionFrom_) {
            const qint64 since = attentionFrom_->msecsTo(now.moment);
            out.attention = since >= 0 && since < attentionSeconds * 1000;
        }
        inverted_ = !inverted_;
        out.inverted = inverted_;
        return out;
    }
    if (refreshDue_) {
        out.refresh = true;
        inverted_ = false;
        refreshDue_ = false;
    }
    out.inverted = inverted_;
    return out;
}

void AlarmModel::checkAlarm(const ClockSample &now, TickOutcome &out) {
    // The first tick looks back over its own minute, so a start inside the alarm minute rings.
    // After a long sleep only the latest alarm moment counts; a week back holds every weekday.
    const QDateTime from = std::max(
        previous_.value_or(now.moment.addSecs(-firstTickLookBackSeconds)), now.moment.addDays(-8));
    std::optional<QDateTime> moment = lastMomentIn(from, now.moment);
    if (moment) {
        const std::pair<QDate, int> occasion{moment->toLocalTime().date(), alarmTime_ / 60};
        if (lastRinging_ == occasion)
            moment.reset();
        else
            lastRinging_ = occasion;
    }
    // A snooze that is due rings like the alarm; due in the same tick, the two ring once.
    if (snoozeUntil_ && *snoozeUntil_ <= now.moment) {
        if (!moment || *snoozeUntil_ > *moment)
            moment = snoozeUntil_;
        snoozeUntil_.reset();
    }
    if (!moment)
        return;
    // Late only after a sleep or a clock stepped forward: ticking along, the moment is found
    // within a second or two.
    const qint64 late = moment->secsTo(now.moment);
    if (late > lateRingLimitSeconds) {
        out.missed = missedAt(*moment);
        return;
    }
    setSwitchState(SwitchState::Ringing);
    out.fired = true;
    out.lateMinutes = static_cast<int>(late / 60);
    // Ticking along, attention belongs to the first seconds of the alarm minute; after a jump
    // (resume, clock step) nobody saw those seconds, so it starts now.
    const bool jumped = previous_ && previous_->msecsTo(now.moment) > maxTickGapSeconds * 1000;
    attentionFrom_ = jumped ? now.moment : *moment;
}

std::optional<QDateTime> AlarmModel::nextRinging(const ClockSample &now) const {
    if (switchState_ != SwitchState::Armed && switchState_ != SwitchState::Ringing)
        return std::nullopt;
    const std::optional<QDateTime> next = ringingMomentAfter(alarmTime_, weekday_, now.moment);
    return next ? std::optional(next->toLocalTime()) : std::nullopt;
}

std::optional<QDateTime> AlarmModel::nextWake(const ClockSample &now) const {
    std::optional<QDateTime> next = nextRinging(now);
    if (snoozeUntil_ && (!next || *snoozeUntil_ < *next))
        next = snoozeUntil_->toLocalTime();
    return next;
}

bool AlarmModel::snooze(const QDateTime &now) {
    if (switchState_ != SwitchState::Ringing)
        return false;
    // Set before the switch tells of the change, so the wake-up asked for then is the snooze.
    snoozeUntil_ = now.addSecs(snoozeSeconds);
    setSwitchState(SwitchState::Armed);
    inverted_ = false;
    refreshDue_ = true;
    return true;
}

std::optional<MissedAlarm> AlarmModel::missedWhileClosed(const QDateTime &lastRun,
                                                         const ClockSample &now) const {
    if (switchState_ != SwitchState::Armed)
        return std::nullopt;
    const QDateTime until = now.moment.addSecs(-firstTickLookBackSeconds);
    const QDateTime from = std::max(lastRun, now.moment.addSecs(-closedMissLimitSeconds));
    const std::optional<QDateTime> moment = lastMomentIn(from, until);
    return moment ? std::optional(missedAt(*moment)) : std::nullopt;
}
