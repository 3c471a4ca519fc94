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

int localOffsetAt(const QDateTime &moment) {
    return moment.toLocalTime().offsetFromUtc();
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
    for (auto next = ringingMomentAfter(m_alarmTime, m_weekday, from); next && *next <= until;
         next = ringingMomentAfter(m_alarmTime, m_weekday, *next))
        last = next;
    return last;
}

void AlarmModel::setAlarm(const QString &text, std::optional<int> seconds) {
    m_alarmText = text;
    if (seconds != m_alarmTime)
        m_snoozeUntil.reset();
    if (seconds) {
        m_alarmTime = *seconds;
        setSwitchState(SwitchState::Armed);
    } else {
        setSwitchState(SwitchState::Error);
    }
}

void AlarmModel::setWeekday(int entry) {
    if (entry == m_weekday)
        return;
    m_weekday = entry;
    m_snoozeUntil.reset();
    emit weekdayChanged(entry);
    updateNextWake();
}

void AlarmModel::setSwitchState(SwitchState state) {
    const std::optional<SwitchState> before = m_switchState;
    m_switchState = state;
    if (state != SwitchState::Ringing)
        m_attentionFrom.reset();
    // Off or in error nothing rings, and a ringing alarm has used the snooze up.
    if (state != SwitchState::Armed)
        m_snoozeUntil.reset();
    emit switchStateChanged(state, before);
    updateNextWake();
}

SwitchClick AlarmModel::clickSwitch() {
    SwitchClick result = SwitchClick::Nothing;
    if (m_switchState) {
        switch (*m_switchState) {
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
    m_inverted = false;
    m_refreshDue = true;
    return result;
}

TickOutcome AlarmModel::tick(const ClockSample &now, bool windowNormal,
                             const std::function<void()> &save) {
    TickOutcome out;
    const std::optional<ClockSample> before = std::exchange(m_lastTick, now);
    const qint64 minute = minuteCount(now);

    if (windowNormal && m_refreshDue)
        m_saveDue = true;
    if (m_minimisePending) {
        ++m_ticksSinceStart;
        if (m_ticksSinceStart == minimiseAtTick) {
            m_minimisePending = false;
            out.minimise = true;
        }
        // The start-up's own changes must not count as the user's.
        if (m_ticksSinceStart <= startupTicks)
            m_saveDue = false;
        // The user worked with the window: it stays as it is.
        if (m_saveDue && m_ticksSinceStart > startupTicks) {
            m_minimisePending = false;
            m_saveDue = false;
        }
    }

    // The very first tick counts as a new minute, so a start inside the alarm minute rings.
    out.minuteChanged = !m_previousMinute || *m_previousMinute != minute;
    if (out.minuteChanged) {
        if (m_saveDue) {
            if (save)
                save();
            m_saveDue = false;
        }
        m_refreshDue = true;
        if (m_switchState == SwitchState::Armed)
            checkAlarm(before, now, out);
    } else if (m_switchState == SwitchState::Armed && m_snoozeUntil &&
               *m_snoozeUntil <= now.moment) {
        // A snooze ends at any second, not at the start of a minute.
        checkAlarm(before, now, out);
    }
    m_previousMinute = minute;
    if (nextWakeStale(before, now))
        updateNextWake();
    out.refreshDate = m_refreshDue;

    if (m_switchState == SwitchState::Ringing) {
        out.ringing = true;
        out.beep = out.fired && m_sound;
        if (m_attentionFrom) {
            const qint64 since = m_attentionFrom->msecsTo(now.moment);
            out.attention = since >= 0 && since < attentionSeconds * 1000;
        }
        m_inverted = !m_inverted;
        out.inverted = m_inverted;
        return out;
    }
    if (m_refreshDue) {
        out.refresh = true;
        m_inverted = false;
        m_refreshDue = false;
    }
    out.inverted = m_inverted;
    return out;
}

void AlarmModel::checkAlarm(const std::optional<ClockSample> &before, const ClockSample &now,
                            TickOutcome &out) {
    const std::optional<QDateTime> previous = before ? std::optional(before->moment) : std::nullopt;
    // The first tick looks back over its own minute, so a start inside the alarm minute rings.
    // After a long sleep only the latest alarm moment counts; a week back holds every weekday.
    const QDateTime from = std::max(
        previous.value_or(now.moment.addSecs(-firstTickLookBackSeconds)), now.moment.addDays(-8));
    std::optional<QDateTime> moment = lastMomentIn(from, now.moment);
    if (moment) {
        const std::pair<QDate, int> occasion{moment->toLocalTime().date(), m_alarmTime / 60};
        if (m_lastRinging == occasion)
            moment.reset();
        else
            m_lastRinging = occasion;
    }
    // A snooze that is due rings like the alarm; due in the same tick, the two ring once.
    if (m_snoozeUntil && *m_snoozeUntil <= now.moment) {
        if (!moment || *m_snoozeUntil > *moment)
            moment = m_snoozeUntil;
        m_snoozeUntil.reset();
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
    // Ticking along, attention belongs to the first seconds of the alarm minute; after a jump
    // (resume, clock step) nobody saw those seconds, so it starts now.
    const bool jumped = previous && previous->msecsTo(now.moment) > maxTickGapSeconds * 1000;
    setSwitchState(SwitchState::Ringing);
    out.fired = true;
    out.lateMinutes = static_cast<int>(late / 60);
    m_attentionFrom = jumped ? now.moment : *moment;
}

bool AlarmModel::nextWakeStale(const std::optional<ClockSample> &before,
                               const ClockSample &now) const {
    if (!before)
        return true;
    const qint64 gap = before->moment.msecsTo(now.moment);
    if (gap < 0 || gap > maxTickGapSeconds * 1000)
        return true;
    return m_nextWake &&
           (*m_nextWake <= now.moment || localOffsetAt(*m_nextWake) != m_nextWakeOffset);
}

void AlarmModel::updateNextWake() {
    if (!m_lastTick)
        return;
    std::optional<QDateTime> next;
    if (m_switchState == SwitchState::Armed || m_switchState == SwitchState::Ringing)
        next = ringingMomentAfter(m_alarmTime, m_weekday, m_lastTick->moment);
    if (m_snoozeUntil && (!next || *m_snoozeUntil < *next))
        next = m_snoozeUntil;
    m_nextWakeOffset = next ? localOffsetAt(*next) : 0;
    if (next == m_nextWake)
        return;
    m_nextWake = next;
    emit nextWakeChanged(next);
}

bool AlarmModel::snooze(const QDateTime &now) {
    if (m_switchState != SwitchState::Ringing)
        return false;
    // Set before the switch tells of the change, so what rings next is the snooze.
    m_snoozeUntil = now.toUTC().addSecs(snoozeSeconds);
    setSwitchState(SwitchState::Armed);
    m_inverted = false;
    m_refreshDue = true;
    return true;
}

void AlarmModel::cancelSnooze() {
    if (!m_snoozeUntil)
        return;
    m_snoozeUntil.reset();
    m_refreshDue = true;
    updateNextWake();
}

std::optional<MissedAlarm> AlarmModel::missedWhileClosed(const QDateTime &lastRun,
                                                         const ClockSample &now) const {
    if (m_switchState != SwitchState::Armed)
        return std::nullopt;
    const QDateTime until = now.moment.addSecs(-firstTickLookBackSeconds);
    const QDateTime from = std::max(lastRun, now.moment.addSecs(-closedMissLimitSeconds));
    const std::optional<QDateTime> moment = lastMomentIn(from, until);
    return moment ? std::optional(missedAt(*moment)) : std::nullopt;
}
