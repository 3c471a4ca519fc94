#pragma once

#include <QString>
#include <optional>

// 1-based position of the earliest character of text that is one of chars, 0 if none.
int InStrA(const QString &text, const QString &chars);

// The characters that may stand between hours and minutes besides the colon.
inline const QString alarmSeparators = QStringLiteral(".,;-_/h");

// What the alarm-time field ends with after a change of its text.
struct AlarmTextResult {
    QString text;                  // the stable text the field ends with
    int caret = 0;                 // where the caret ends
    std::optional<int> alarmTime;  // seconds after midnight when the text is a valid time
    bool changed = false;          // whether any pass reached the "changed" step
    int passes = 0;                // passes run until the text was stable
};

// Rewrites a freshly changed field text towards hh:mm, pass after pass until stable.
AlarmTextResult normaliseAlarmText(const QString &text, int caret);

// Reads exactly "hh:mm" (hours 0..23, minutes 0..59); anything else gives nothing.
std::optional<int> readTimeOfDay(const QString &text);
