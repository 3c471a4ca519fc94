#pragma once

#include "core/clocksample.h"
#include "core/switchstate.h"

#include <QDate>
#include <QDateTime>
#include <QObject>
#include <QString>
#include <functional>
#include <optional>

// An alarm minute that passed while nobody could hear it (the machine slept, the clock jumped,
// the program was not running).
struct MissedAlarm {
    int weekday = 1;   // the day it fell on, Sunday = 1
    int alarmTime = 0; // seconds after midnight
    bool operator==(const MissedAlarm &) const = default;
};

// What one tick means for the window; the window only carries it out.
struct TickOutcome {
    bool minuteChanged = false;
    bool minimise = false;             // the delayed minimise of a window stored minimised is due
    bool refreshDate = false;          // the date line is to be shown anew
    bool fired = false;                // the switch went to ringing in this tick
    int lateMinutes = 0;               // fired this many whole minutes after the alarm minute began
    std::optional<MissedAlarm> missed; // too late to ring: tell the user instead
    bool ringing = false;              // the alarm rings after this tick
    bool beep = false;                 // sound the alarm once (firing tick, sound on)
    bool attention = false;            // bring the window forward and blink Num Lock
    bool inverted = false;             // the time display in inverted colours
    bool refresh = false; // not ringing and something changed: switch, colours, title anew
};

// What a click on the switch did.
enum class SwitchClick { Nothing, Changed, ShowError };

// The alarm and everything the once-a-second tick decides, apart from any widget. The window
// feeds it the user's edits and one clock sample a second, and shows what it answers. What rings
// next is its own to know: whatever moves it (an edit, a ring, a snooze, a clock step, a new time
// zone) is announced by nextWakeChanged, and everything that follows from it listens.
class AlarmModel : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Later than this after its minute began, an alarm found in a clock jump is reported as
    // missed instead of ringing: a wake-up alarm half an hour late does more harm than good.
    static constexpr int lateRingLimitSeconds = 30 * 60;
    // How long after the ringing starts the window is pulled forward and Num Lock blinks.
    static constexpr int attentionSeconds = 4;
    // A ringing alarm keeps the machine awake this long at most, so a forgotten one cannot
    // drain a laptop's battery.
    static constexpr int keepAwakeSeconds = 10 * 60;
    // Woken this close before the alarm, the machine is kept awake until it has rung.
    static constexpr int resumeWindowSeconds = 2 * 60;
    // Ticks further apart than this on the real clock mean the machine slept or the clock was
    // stepped; a daylight-saving or time-zone change moves only the local reading.
    static constexpr int maxTickGapSeconds = 2;
    // A snoozed alarm rings again this long after the snooze was chosen.
    static constexpr int snoozeSeconds = 10 * 60;
    // A window stored minimised goes down at this tick after the start, so it is seen first.
    static constexpr int minimiseAtTick = 10;
    // The first ticks belong to the start-up: changes then are its own, not the user's.
    static constexpr int startupTicks = 2;
    // An alarm that fell while the program was closed is told of at the next start only this
    // long after: by the next day nobody needs to hear of this morning's alarm.
    static constexpr int closedMissLimitSeconds = 12 * 60 * 60;

    // The alarm time in seconds after midnight, as the time field last read it.
    int alarmTime() const { return m_alarmTime; }
    QString alarmText() const { return m_alarmText; }
    // A valid text arms the alarm at its time, anything else puts the switch in error.
    void setAlarm(const QString &text, std::optional<int> seconds);

    // -1 none, 0 every day, 1..7 Sunday..Saturday.
    int weekday() const { return m_weekday; }
    void setWeekday(int entry);

    QString message() const { return m_message; }
    void setMessage(const QString &text) { m_message = text; }

    bool sound() const { return m_sound; }
    void setSound(bool on) { m_sound = on; }

    std::optional<SwitchState> switchState() const { return m_switchState; }
    // Also when the state stays: the caption is shown anew (sound mark, language).
    void setSwitchState(SwitchState state);
    SwitchClick clickSwitch();

    // Show changes at the next tick (and, in normal window state, save them).
    void markChanged() { m_refreshDue = true; }
    bool changed() const { return m_refreshDue; }
    // Save at the next minute change.
    void markSaveDue() { m_saveDue = true; }
    // A window stored minimised is minimised a few ticks after the start, unless touched.
    void minimiseAfterStart() {
        m_minimisePending = true;
        m_ticksSinceStart = 0;
    }

    // One tick. save runs at the minute change when settings are due, before the alarm is
    // checked, so the file holds the switch as it was shown then.
    TickOutcome tick(const ClockSample &now, bool windowNormal, const std::function<void()> &save);

    // What rings next, the alarm or a pending snooze, in UTC: the machine is woken for this one.
    // Nothing while nothing can ring (off, in error, no day chosen), and before the first tick,
    // which is when the model first learns the time.
    std::optional<QDateTime> nextWake() const { return m_nextWake; }

    // Ends the ringing as Stop does and rings once more snoozeSeconds after now; false when
    // nothing rings. Switching off, a new time or weekday drops it; any ringing uses it up.
    bool snooze(const QDateTime &now);
    std::optional<QDateTime> snoozedUntil() const { return m_snoozeUntil; }
    // The alarm stays armed for its next moment.
    void cancelSnooze();

    // The last moment the armed alarm would have rung after lastRun, when the program was not
    // running then, and only when it is recent. A moment the first tick still rings is not one.
    std::optional<MissedAlarm> missedWhileClosed(const QDateTime &lastRun,
                                                 const ClockSample &now) const;

signals:
    void switchStateChanged(SwitchState state, std::optional<SwitchState> before);
    void weekdayChanged(int entry);
    void nextWakeChanged(const std::optional<QDateTime> &moment);

private:
    void checkAlarm(const std::optional<ClockSample> &before, const ClockSample &now,
                    TickOutcome &out);
    // The alarm's last moment after from and at or before until.
    std::optional<QDateTime> lastMomentIn(const QDateTime &from, const QDateTime &until) const;
    // Finds what rings next from the last tick's moment and announces it when it moved.
    void updateNextWake();
    // Whether the moment found last may have moved without an edit: time passed it, the clock
    // jumped, or the local zone or its rules changed (the machine's zone file replaced, say), which
    // shows as another offset from UTC at that moment.
    bool nextWakeStale(const std::optional<ClockSample> &before, const ClockSample &now) const;

    int m_alarmTime = 0;
    QString m_alarmText = QStringLiteral("00:00");
    int m_weekday = 0;
    QString m_message;
    bool m_sound = false;
    std::optional<SwitchState> m_switchState;
    bool m_refreshDue = false; // switch, colours and title to be shown anew
    bool m_saveDue = false;    // the settings to be saved at the next minute change
    bool m_minimisePending = false;
    int m_ticksSinceStart = 0;
    bool m_inverted = false;
    std::optional<ClockSample> m_lastTick;
    std::optional<qint64> m_previousMinute;   // the local minute the last tick showed, counted on
    std::optional<QDateTime> m_attentionFrom; // when the present ringing began to ask for attention
    // The day and minute that last rang: a repeated hour or a clock set back rings it once.
    std::optional<std::pair<QDate, int>> m_lastRinging;
    std::optional<QDateTime> m_snoozeUntil;
    std::optional<QDateTime> m_nextWake;
    int m_nextWakeOffset = 0; // the local zone's offset at m_nextWake when it was found
};

// The first moment after `after` at which an alarm set for `alarmTime` seconds after local
// midnight rings on `weekday` (0 every day, 1..7 Sunday..Saturday, anything else never). On a
// day whose local clock skips the alarm time it rings as late as the shift moves it; on a day
// whose clock shows it twice, the first time.
std::optional<QDateTime> ringingMomentAfter(int alarmTime, int weekday, const QDateTime &after);
