#include "ui/fittext.h"

#include <QAbstractButton>
#include <QFontMetrics>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStyle>
#include <QStyleOptionButton>
#include <QtMath>

namespace {

// The space a box keeps around its text, so that only the text itself is measured.
QSize insetOf(QWidget *box) {
    if (auto *edit = qobject_cast<QPlainTextEdit *>(box)) {
        // The caret takes a pixel or two at the end of the longest line.
        const int margin = 2 * edit->frameWidth() + qCeil(2 * edit->document()->documentMargin());
        return {margin + 3, margin};
    }
    if (auto *label = qobject_cast<QLabel *>(box)) {
        const int margin = 2 * (label->frameWidth() + label->margin());
        return {margin, margin};
    }
    if (qobject_cast<QAbstractButton *>(box)) {
        QStyleOptionButton option;
        option.initFrom(box);
        return box->style()->sizeFromContents(QStyle::CT_PushButton, &option, QSize(0, 0), box);
    }
    return {0, 0};
}

QSize textSize(const QFont &font, const QString &text, int width, bool wrap) {
    const QFontMetrics metrics(font);
    const int flags = Qt::AlignLeft | Qt::AlignTop | (wrap ? Qt::TextWordWrap : 0);
    const QRect bounds(0, 0, wrap ? qMax(1, width) : 100000, 100000);
    return metrics.boundingRect(bounds, flags, text).size();
}

} // namespace

void fitText(QWidget *box, const TextPlace &place, const QString &text) {
    const QSize inset = insetOf(box);
    const QRect &drawn = place.drawn;
    const QRect room = place.room.isValid() ? place.room.united(drawn) : drawn;
    // A box whose text may use only its top part does not grow downwards.
    const bool fixedHeight = place.textHeight > 0;
    const int drawnLimit = fixedHeight ? place.textHeight : drawn.height();
    const int roomLimit = fixedHeight ? place.textHeight : room.bottom() - drawn.top() + 1;
    const qreal smallest = place.font.pointSizeF() * 0.6;

    QFont font = place.font;
    QRect rect = drawn;
    for (qreal size = place.font.pointSizeF(); size >= smallest; size -= 0.5) {
        font.setPointSizeF(size);

        QSize need = textSize(font, text, drawn.width() - inset.width(), place.wrap) + inset;
        if (need.width() <= drawn.width() && need.height() <= drawnLimit) {
            rect = drawn;
            break;
        }

        need = textSize(font, text, room.width() - inset.width(), place.wrap) + inset;
        const int width = qBound(drawn.width(), need.width(), room.width());
        need = textSize(font, text, width - inset.width(), place.wrap) + inset;
        const int left =
            qBound(room.left(), drawn.center().x() - width / 2, room.right() - width + 1);
        const int height =
            fixedHeight ? drawn.height() : qBound(drawn.height(), need.height(), roomLimit);
        rect = QRect(left, drawn.top(), width, height);
        if (need.width() <= width && need.height() <= roomLimit)
            break;
    }
    box->setGeometry(rect);
    box->setFont(font);
}
