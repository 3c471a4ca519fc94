#pragma once

#include <QFont>
#include <QRect>
#include <QStringList>

class QWidget;

// The desktop's sans-serif family at a given size; the windows were drawn for such a font.
QFont sansFont(qreal pointSize, bool bold = false, bool italic = false);

// Where a control was drawn, and how far it may grow when its text does not fit.
struct TextPlace {
    QRect drawn; // the control as drawn
    QRect room;  // the most it may take: widened around its centre, lengthened downwards
    QFont font;  // the font as drawn
    bool wrap = false;
    int textHeight = 0; // when set, the text must fit this much of the control from its top
};

// The windows keep their small drawn layout whatever the desktop's font, and every text of every
// language must stay whole in it: the control grows into its room first, and only then the font
// shrinks, half a point at a time, down to 60 %. All of `texts` must fit (a button sized for the
// longest of its captions keeps one font whichever it shows).
// Works for labels, push buttons, line edits, drop-down lists and plain text boxes.
void fitText(QWidget *control, const TextPlace &place, const QStringList &texts);
inline void fitText(QWidget *control, const TextPlace &place, const QString &text) {
    fitText(control, place, QStringList{text});
}
