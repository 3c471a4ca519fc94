#pragma once

#include <QFont>
#include <QRect>
#include <QString>

class QWidget;

// Where a text box was drawn, and how far it may grow when its text does not fit.
struct TextPlace {
    QRect drawn; // the box as drawn
    QRect room;  // the most it may take: widened around its centre, lengthened downwards
    QFont font;  // the font as drawn
    bool wrap = false;
    int textHeight = 0; // when set, the text must fit this much of the box from its top
};

// The texts of both languages must stay whole in boxes drawn for another font: the box grows
// into its room first, and only then the font shrinks, half a point at a time.
// Works for labels, push buttons and plain text boxes.
void fitText(QWidget *box, const TextPlace &place, const QString &text);
