#include "ui/textfit.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QtMath>

namespace {

// The space a control keeps around its text at the given size, so that only the text itself is
// measured.
QSize insetOf(QWidget *control, const QSize &size) {
    if (auto *edit = qobject_cast<QPlainTextEdit *>(control)) {
        // The caret takes a pixel or two at the end of the longest line.
        const int margin = 2 * edit->frameWidth() + qCeil(2 * edit->document()->documentMargin());
        return {margin + 3, margin};
    }
    if (auto *label = qobject_cast<QLabel *>(control)) {
        const int margin = 2 * (label->frameWidth() + label->margin());
        const QMargins contents = label->contentsMargins();
        return {margin + contents.left() + contents.right(),
                margin + contents.top() + contents.bottom()};
    }
    if (auto *line = qobject_cast<QLineEdit *>(control)) {
        // Two pixels each side inside the frame, and one for the caret.
        const int frame = line->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, line);
        const QMargins margins = line->textMargins();
        return {2 * frame + 4 + margins.left() + margins.right() + 1,
                2 * frame + margins.top() + margins.bottom()};
    }
    if (auto *box = qobject_cast<QComboBox *>(control)) {
        QStyleOptionComboBox option;
        option.initFrom(box);
        option.rect = QRect(QPoint(), size);
        option.editable = false;
        option.frame = true;
        const QRect field = box->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                         QStyle::SC_ComboBoxEditField, box);
        return {size.width() - field.width() + 2, size.height() - field.height()};
    }
    if (qobject_cast<QAbstractButton *>(control)) {
        QStyleOptionButton option;
        option.initFrom(control);
        return control->style()->sizeFromContents(QStyle::CT_PushButton, &option, QSize(0, 0),
                                                  control);
    }
    return {0, 0};
}

// The room all texts take together: the widest, and the tallest.
QSize textSize(const QFont &font, const QStringList &texts, int width, bool wrap) {
    const QFontMetrics metrics(font);
    const int flags = Qt::AlignLeft | Qt::AlignTop | (wrap ? Qt::TextWordWrap : 0);
    const QRect bounds(0, 0, wrap ? qMax(1, width) : 100000, 100000);
    QSize size;
    for (const QString &text : texts)
        size = size.expandedTo(metrics.boundingRect(bounds, flags, text).size());
    return size;
}

} // namespace

QFont sansFont(qreal pointSize, bool bold, bool italic) {
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

void fitText(QWidget *control, const TextPlace &place, const QStringList &texts) {
    const QRect &drawn = place.drawn;
    const QRect room = place.room.isValid() ? place.room.united(drawn) : drawn;
    // A control whose text may use only its top part does not grow downwards.
    const bool fixedHeight = place.textHeight > 0;
    const int drawnLimit = fixedHeight ? place.textHeight : drawn.height();
    const int roomLimit = fixedHeight ? place.textHeight : room.bottom() - drawn.top() + 1;
    const qreal smallest = place.font.pointSizeF() * 0.6;

    QFont font = place.font;
    QRect rect = drawn;
    for (qreal size = place.font.pointSizeF(); size >= smallest; size -= 0.5) {
        font.setPointSizeF(size);

        QSize inset = insetOf(control, drawn.size());
        QSize need = textSize(font, texts, drawn.width() - inset.width(), place.wrap) + inset;
        if (need.width() <= drawn.width() && need.height() <= drawnLimit) {
            rect = drawn;
            break;
        }
        if (room == drawn)
            continue;

        need = textSize(font, texts, room.width() - inset.width(), place.wrap) + inset;
        const int width = qBound(drawn.width(), need.width(), room.width());
        inset = insetOf(control, QSize(width, drawn.height()));
        need = textSize(font, texts, width - inset.width(), place.wrap) + inset;
        const int left =
            qBound(room.left(), drawn.center().x() - width / 2, room.right() - width + 1);
        const int height =
            fixedHeight ? drawn.height() : qBound(drawn.height(), need.height(), roomLimit);
        rect = QRect(left, drawn.top(), width, height);
        if (need.width() <= width && need.height() <= roomLimit)
            break;
    }
    control->setGeometry(rect);
    // A control whose font stays as it is gets no font change: a combo box answers one by building
    // its drop-down list (a list view, its frame and scroller), a megabyte of code and memory long
    // before anyone opens it.
    if (font != control->font())
        control->setFont(font);
}
