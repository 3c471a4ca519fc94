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
// feeds it the user's edits and one clock sample a second, and shows what it answers.
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
    int alarmTime() const { return alarmTime_; }
    QString alarmText() const { return alarmText_; }
    // A valid text arms the alarm at its time, anything else puts the switch in error.
    void setAlarm(const QString &text, std::optional<int> seconds);

    // -1 none, 0 every day, 1..7 Sunday..Saturday.
    int weekday() const { return weekday_; }
    void setWeekday(int entry);

    QString message() const { return message_; }
    void setMessage(const QString &text) { message_ = text; }

    bool sound() const { return sound_; }
    void setSound(bool on) { sound_ = on; }

    std::optional<SwitchState> switchState() const { return switchState_; }
    // Also when the state stays: the caption is shown anew (sound mark, language).
    void setSwitchState(SwitchState state);
    SwitchClick clickSwitch();

    // Show changes at the next tick (and, in normal window state, save them).
    void markChanged() { refreshDue_ = true; }
    bool changed() const { return refreshDue_; }
    // Save at the next minute change.
    void markSaveDue() { saveDue_ = true; }
    // A window stored minimised is minimised a few ticks after the start, unless touched.
    void minimiseAfterStart() {
        minimisePending_ = true;
        ticksSinceStart_ = 0;
    }

    // One tick. save runs at the minute change when settings are due, before the alarm is
    // checked, so the file holds the switch as it was shown then.
    TickOutcome tick(const ClockSample &now, bool windowNormal, const std::function<void()> &save);

    // The next moment after now the alarm rings as set, in local time, or nothing when it cannot
    // (off, in error, no day chosen).
    std::optional<QDateTime> nextRinging(const ClockSample &now) const;
    // What rings next, the alarm or a snooze: the machine is woken for this one.
    std::optional<QDateTime> nextWake(const ClockSample &now) const;

    // Ends the ringing as Stop does and rings once more snoozeSeconds after now; false when
    // nothing rings. Switching off, a new time or weekday drops it; any ringing uses it up.
    bool snooze(const QDateTime &now);
    std::optional<QDateTime> snoozedUntil() const { return snoozeUntil_; }

    // The last moment the armed alarm would have rung after lastRun, when the program was not
    // running then, and only when it is recent. A moment the first tick still rings is not one.
    std::optional<MissedAlarm> missedWhileClosed(const QDateTime &lastRun,
                                                 const ClockSample &now) const;

signals:
    void switchStateChanged(SwitchState state, std::optional<SwitchState> before);

private:
    void checkAlarm(const ClockSample &now, TickOutcome &out);
    // The alarm's last moment after from and at or before until.
    std::optional<QDateTime> lastMomentIn(const QDateTime &from, const QDateTime &until) const;

    int alarmTime_ = 0;
    QString alarmText_ = QStringLiteral("00:00");
    int weekday_ = 0;
    QString message_;
    bool sound_ = false;
    std::optional<SwitchState> switchState_;
    bool refreshDue_ = false; // switch, colours and title to be shown anew
    bool saveDue_ = false;    // the settings to be saved at the next minute change
    bool minimisePending_ = false;
    int ticksSinceStart_ = 0;
    bool inverted_ = false;
    std::optional<QDateTime> previous_;      // the last tick's moment
    std::optional<qint64> previousMinute_;   // and the local minute it showed, counted on
    std::optional<QDateTime> attentionFrom_; // when the present ringing began to ask for attention
    // The day and minute that last rang: a repeated hour or a clock set back rings it once.
    std::optional<std::pair<QDate, int>> lastRinging_;
    std::optional<QDateTime> snoozeUntil_;
};

// The first moment after `after` at which an alarm set for `alarmTime` seconds after local
// midnight rings on `weekday` (0 every day, 1..7 Sunday..Saturday, anything else never). On a
// day whose local clock skips the alarm time it rings as late as the shift moves it; on a day
// whose clock shows it twice, the first time.
std::optional<QDateTime> ringingMomentAfter(int alarmTime, int weekday, const QDateTime &after);
