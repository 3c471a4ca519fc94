#pragma once

#include <QString>

// The welcome window's moving "=>": it drifts through the language box until a language is
// chosen (20 positions), then runs in front of the help-video button's text (6 positions).

// The position of this step, from 0, given the counter the previous step left.
int markerPosition(int counter, bool languageChosen);

// The language box's text: 20 + position spaces, then the arrow.
QString languageBoxMarker(int position);

// The button's caption: the arrow inside an eight-character lead-in, then the button text.
QString helpButtonMarker(int position, const QString &buttonText);
