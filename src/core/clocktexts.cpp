#include "core/clocktexts.h"

namespace {

// The digits with the sign's place in front: " 5", "-5".
QString signedNumberText(int n) {
    return n < 0 ? QString::number(n) : QStringLiteral(" ") + QString::number(n);
}

// Table lookup that reads an empty text instead of running off either end.
template <std::size_t N> QString entry(const std::array<QString, N> &table, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < N
               ? table[static_cast<std::size_t>(index)]
               : QString();
}

} // namespace

QString twoDigits(int n) {
    return (QStringLiteral("0") + QString::number(n)).right(2);
}

QString timeText(int seconds) {
    return twoDigits(seconds / 3600) + QLatin1Char(':') + twoDigits(seconds / 60 % 60) +
           QLatin1Char(':') + twoDigits(seconds % 60);
}

QString dateLine(std::optional<Language> language, const MainTexts &texts, const QDate &date) {
    if (!date.isValid())
        return QString();
    const int weekday = date.dayOfWeek() % 7 + 1; // Sunday = 1
    const QString month = entry(texts.monthtxt, date.month());
    QString datePart;
    if (language == Language::English)
        datePart = QStringLiteral(" ") + month + QLatin1Char(',') + signedNumberText(date.day());
    else if (language == Language::Danish)
        datePart = signedNumberText(date.day()) + QStringLiteral(". ") + month;
    return entry(texts.daytxt, weekday) + datePart + signedNumberText(date.year());
}

QString soundMark(bool sound) {
    return sound ? QStringLiteral(" ((o))") : QString();
}

QString switchCaption(const MainTexts &texts, SwitchState state, bool sound) {
    if (state == SwitchState::Armed)
        return texts.stattxt[3] + soundMark(sound);
    return texts.stattxt[static_cast<std::size_t>(state)];
}

QString minimisedCaption(const MainTexts &texts, const AlarmModel &alarm, const ClockSample &now) {
    if (alarm.switchState() != SwitchState::Armed)
        return texts.stattxt[4];

    // The weekday list shows entry 0 whole and three letters of the others.
    const int chosen = alarm.weekday();
    const QString dayText = chosen == 0  ? texts.daytxt[0]
                            : chosen > 0 ? entry(texts.daytxt, chosen).left(3)
                                         : QString();
    const int weekday = now.weekday();
    QString dayPrefix;
    const bool pastAlarm = now.seconds > alarm.alarmTime();
    if (dayText != entry(texts.daytxt, weekday).left(3) || pastAlarm) {
        dayPrefix = dayText.left(2) + QLatin1Char(' ');
        if (chosen == 0) {
            if (now.seconds < alarm.alarmTime()) {
                dayPrefix.clear();
            } else {
                const int tomorrow = weekday % 7 + 1;
                dayPrefix = entry(texts.daytxt, tomorrow).left(2) + QLatin1Char(' ');
            }
        }
    }
    return dayPrefix + alarm.alarmText() + soundMark(alarm.sound());
}
