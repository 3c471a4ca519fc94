#pragma once

#include "core/alarmmodel.h"
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

// " ((o))" while sound is on: the armed caption carries it.
QString soundMark(bool sound);

// The switch's caption for its state in the current language.
QString switchCaption(const MainTexts &texts, SwitchState state, bool sound);

// The minimised window's caption: "Mo 07:30 ((o))" for an armed alarm, the off caption
// otherwise. It names what rings next, a pending snooze's time included; the day prefix names its
// day, left out while that is today.
QString minimisedCaption(const MainTexts &texts, const AlarmModel &alarm, const ClockSample &now);
