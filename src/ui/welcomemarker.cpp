#include "ui/welcomemarker.h"

namespace {
const QString arrow = QStringLiteral("=>");
}

int markerPosition(int counter, bool languageChosen) {
    const int limit = languageChosen ? 6 : 20;
    return counter >= limit || counter < 0 ? 0 : counter;
}

QString languageBoxMarker(int position) {
    return QString(20 + position, QLatin1Char(' ')) + arrow;
}

QString helpButtonMarker(int position, const QString &buttonText) {
    return QString(position, QLatin1Char(' ')) + arrow + QString(6 - position, QLatin1Char(' ')) +
           buttonText;
}
