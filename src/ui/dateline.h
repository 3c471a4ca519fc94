#pragma once

#include <QString>

class QLabel;

// Writes the date into the date line in the largest font, up to the window's own, in which it
// stays whole: the longest weekday and month names need less than the window's font.
void showDateLine(QLabel *label, const QString &date);
