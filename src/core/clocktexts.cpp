#include "core/clocktexts.h"

#include <QStringList>

namespace {

// Table lookup that reads an empty text instead of running off either end.
template <std::size_t N> QString entry(const std::array<QString, N> &table, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < N
               ? table[static_cast<std::size_t>(index)]
               : QString();
}

// QString::arg hands its values to the lowest places left, so a layout that leaves out a place
// would get the wrong values in the others; here %n always takes values[n - 1], in one pass.
QString fillPlaces(const QString &layout, const QStringList &values) {
    QString text;
    for (qsizetype i = 0; i < layout.size(); ++i) {
        const QChar next = i + 1 < layout.size() ? layout.at(i + 1) : QChar();
        const int place = next.digitValue();
        if (layout.at(i) == QLatin1Char('%') && place >= 1 && place <= values.size()) {
            text += values.at(place - 1);
            ++i;
        } else {
            text += layout.at(i);
        }
    }
    return text;
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
    const int weekday = ClockSample{0, date}.weekday();
    // Until a language is chosen there is no month name to place: weekday and year only.
    const QString layout =
        language && !texts.dateLayout.isEmpty() ? texts.dateLayout : QStringLiteral("%1 %4");
    return fillPlaces(layout,
                      {entry(texts.weekdayNames, weekday), entry(texts.monthNames, date.month()),
                       QString::number(date.day()), QString::number(date.year())});
}

QString soundMark(bool sound) {
    return sound ? QStringLiteral(" ((o))") : QString();
}

QString switchCaption(const MainTexts &texts, SwitchState state, bool sound) {
    switch (state) {
    case SwitchState::Error:
        return texts.errorCaption;
    case SwitchState::Ringing:
        return texts.ringingCaption;
    case SwitchState::Armed:
        return texts.armedCaption + soundMark(sound);
    case SwitchState::Off:
        break;
    }
    return texts.offCaption;
}

QString minimisedCaption(const MainTexts &texts, const AlarmModel &alarm, const ClockSample &now) {
    if (alarm.switchState() != SwitchState::Armed)
        return texts.offCaption;

    // What rings next names its day unless that is today; the weekday list with nothing chosen
    // shows an empty day in front.
    QString dayPrefix = QStringLiteral(" ");
    QString time = alarm.alarmText();
    if (const std::optional<QDateTime> next = alarm.nextWake()) {
        const QDateTime local = next->toLocalTime();
        dayPrefix = local.date() == now.date
                        ? QString()
                        : entry(texts.weekdayNames, weekdayOf(local.date())).left(2) + u' ';
        if (next == alarm.snoozedUntil())
            time = local.toString(QStringLiteral("HH:mm"));
    }
    return dayPrefix + time + soundMark(alarm.sound());
}
