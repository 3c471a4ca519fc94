#include "ui/dateline.h"

#include "ui/textfit.h"

#include <QLabel>

void showDateLine(QLabel *label, const QString &date) {
    fitText(label, {label->geometry(), {}, label->parentWidget()->font()}, date);
    label->setText(date);
}
