#pragma once

#include "core/strings.h"

#include <QDate>
#include <QString>
#include <optional>

// "0" + digits, last two kept: 5 -> "05", 24 -> "24".
QString twoDigits(int n);

// The time display: hh:mm:ss for whole seconds since midnight.
QString timeText(int seconds);

// The date line in the language's layout: "Wednesdag March, 5 2003" in English, "Onsdag 5. marts
// 2003" in Danish, only weekday and year while no language has been chosen.
QString dateLine(std::optional<Language> language, const MainTexts &texts, const QDate &date);

// What the caption of the minimised window needs to know.
struct CaptionInputs {
    QString dayText;         // the weekday list's displayed text
    int dayIndex = -1;       // its selected entry
    double seconds = 0;      // now, fractional seconds since midnight
    int weekday = 1;         // today, Sunday = 1
    int alarmTime = 0;       // seconds after midnight
    bool armedShown = false; // the switch shows the armed caption
    QString alarmText;
    QString lyd;
};

// "Mo 07:30 ((o))" for an armed alarm, the off caption otherwise.
QString minimisedCaption(const MainTexts &texts, const CaptionInputs &in);
