#include "core/alarmmodel.h"

namespace {
constexpr qint64 secondsPerDay = 86400;

int weekdayOf(const QDate &date) {
    return date.dayOfWeek() % 7 + 1; // Sunday = 1
}
} // namespace

qint64 localSeconds(const ClockSample &sample) {
    return sample.date.toJulianDay() * secondsPerDay + sample.wholeSeconds();
}

void AlarmModel::setAlarm(const QString &text, std::optional<int> seconds) {
    alarmText_ = text;
    if (seconds) {
        alarmTime_ = *seconds;
        setSwitchState(SwitchState::Armed);
    } else {
        setSwitchState(SwitchState::Error);
    }
}

void AlarmModel::setWeekday(int entry) {
    weekday_ = entry;
}

void AlarmModel::setSwitchState(SwitchState state) {
    const std::optional<SwitchState> before = switchState_;
    switchState_ = state;
    if (state != SwitchState::Ringing)
        attentionFrom_.reset();
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
    chg_ = true;
    return result;
}

TickOutcome AlarmModel::tick(const ClockSample &now, bool windowNormal,
                             const std::function<void()> &save) {
    TickOutcome out;
    const qint64 t = localSeconds(now);

    if (windowNormal && chg_)
        chg1_ = true;
    if (winstate_ == 1) {
        ++winstateN_;
        if (winstateN_ == 10) {
            winstate_ = 0;
            out.minimise = true;
        }
        // The start-up's own changes must not count as the user's.
        if (winstateN_ < 3)
            chg1_ = false;
        if (chg1_ && winstateN_ > 2) {
            winstate_ = 0;
            chg1_ = false;
        }
    }

    // The very first tick counts as a new minute, so a start inside the alarm minute rings.
    out.minuteChanged = !previous_ || *previous_ / 60 != t / 60;
    if (out.minuteChanged) {
        if (chg1_) {
            if (save)
                save();
            chg1_ = false;
        }
        chg_ = true;
        if (switchState_ == SwitchState::Armed)
            checkAlarm(now, out);
    }
    previous_ = t;
    out.refreshDate = chg_;

    if (switchState_ == SwitchState::Ringing) {
        out.ringing = true;
        out.beep = out.fired && sound_;
        if (attentionFrom_) {
            const qint64 since = t - *attentionFrom_;
            out.attention = since >= 0 && since < attentionSeconds;
        }
        inverted_ = !inverted_;
        out.inverted = inverted_;
        return out;
    }
    if (chg_) {
        out.refresh = true;
        inverted_ = false;
        chg_ = false;
    }
    out.inverted = inverted_;
    return out;
}

std::optional<qint64> AlarmModel::lastAlarmMoment(qint64 now) const {
    if (weekday_ < 0 || weekday_ > 7)
        return std::nullopt;
    qint64 day = now / secondsPerDay;
    if (now % secondsPerDay < alarmTime_)
        --day;
    for (int back = 0; back < 7; ++back, --day) {
        if (weekday_ == 0 || weekday_ == weekdayOf(QDate::fromJulianDay(day)))
            return day * secondsPerDay + alarmTime_;
    }
    return std::nullopt;
}

void AlarmModel::checkAlarm(const ClockSample &now, TickOutcome &out) {
    const qint64 t = localSeconds(now);
    const std::optional<qint64> moment = lastAlarmMoment(t);
    if (!moment)
        return;
    const QDate day = QDate::fromJulianDay(*moment / secondsPerDay);
    const std::pair<QDate, int> occasion{day, alarmTime_ / 60};
    if (lastRinging_ == occasion)
        return;
    const bool onTime = *moment / 60 == t / 60;
    // Slept through, or the clock was set forward over it.
    const bool skipped = previous_ && *moment > *previous_;
    if (!onTime && !skipped)
        return;
    lastRinging_ = occasion;
    const qint64 late = t - *moment;
    if (!onTime && late > lateRingLimitSeconds) {
        out.missed = MissedAlarm{weekdayOf(day), alarmTime_};
        return;
    }
    setSwitchState(SwitchState::Ringing);
    out.fired = true;
    out.lateMinutes = onTime ? 0 : static_cast<int>(late / 60);
    // Ticking along, attention belongs to the first seconds of the alarm minute; after a jump
    // (resume, clock step) nobody saw those seconds, so it starts now.
    const bool jumped = previous_ && t - *previous_ > maxTickGapSeconds;
    attentionFrom_ = jumped ? t : *moment;
}

std::optional<QDateTime> AlarmModel::nextRinging(const ClockSample &now) const {
    if (switchState_ != SwitchState::Armed && switchState_ != SwitchState::Ringing)
        return std::nullopt;
    if (weekday_ < 0 || weekday_ > 7)
        return std::nullopt;
    for (int ahead = 0; ahead <= 7; ++ahead) {
        const QDate date = now.date.addDays(ahead);
        if (ahead == 0 && alarmTime_ <= now.wholeSeconds())
            continue;
        if (weekday_ == 0 || weekday_ == weekdayOf(date))
            return QDateTime(date, QTime(0, 0).addSecs(alarmTime_));
    }
    return std::nullopt;
}
