#pragma once

#include <QString>
#include <optional>

// 1-based position of the earliest character of text that is one of chars, 0 if none.
// Characters compare exactly: 'H' is not 'h'.
int firstOfPosition(const QString &text, const QString &chars);

// The characters that may stand between hours and minutes besides the colon.
inline const QString alarmSeparators = QStringLiteral(".,;-_/h");

// What the alarm-time field ends with after a change of its text.
struct AlarmTextResult {
    QString text;                 // the stable text the field ends with
    int caret = 0;                // where the caret ends, always within 0..text.size()
    std::optional<int> alarmTime; // seconds after midnight when the text is a valid time
    bool changed = false;         // whether any pass reached the "changed" step
    int passes = 0;               // passes run until the text was stable
};

// Every text settles within nine passes; the bound sits above that only so that a change of
// the field can never hang the program. A text still moving at the bound is left as the
// last pass made it (such a text is never a valid time: a valid time is already stable).
inline constexpr int maxAlarmTextPasses = 16;

// Rewrites a freshly changed field text towards hh:mm, pass after pass until stable.
//
// text and caret are the field as the change left it (caret = characters before it; a
// value outside the text is taken as the nearest end). Each pass writes its text back to
// the field, and a write of a different text triggers the next pass at once; since a
// programmatic write leaves a line edit's caret at the end of the new text, every pass
// after the first starts with its caret at the end. The first pass sets its caret last,
// so its caret is the one that stays, clamped to the final text: a caret past the end
// shows at the end. Text and outcome are those of the last, stable pass.
AlarmTextResult normaliseAlarmText(const QString &text, int caret);

// Reads exactly "hh:mm" (ASCII digits, hours 0..23, minutes 0..59) as seconds after
// midnight; anything else - blanks, signs, other digits, other lengths - gives nothing.
std::optional<int> readTimeOfDay(const QString &text);
