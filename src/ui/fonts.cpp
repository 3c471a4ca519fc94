#include "ui/fonts.h"

QFont sansFont(qreal pointSize, bool bold, bool italic) {
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}
