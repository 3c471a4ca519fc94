#include "ui/fitfont.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>

QFont fittingFont(const QFont &base, const QStringList &texts, int width) {
    QFont font = base;
    const qreal smallest = base.pointSizeF() * 0.6;
    for (qreal size = base.pointSizeF(); size >= smallest; size -= 0.5) {
        font.setPointSizeF(size);
        const QFontMetrics metrics(font);
        int widest = 0;
        for (const QString &text : texts)
            widest = std::max(widest, metrics.horizontalAdvance(text));
        if (widest <= width)
            return font;
    }
    return font;
}

int textRoom(const QComboBox *box) {
    QStyleOptionComboBox option;
    option.initFrom(box);
    option.editable = false;
    option.frame = true;
    const QRect field = box->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                     QStyle::SC_ComboBoxEditField, box);
    return field.width() - 2;
}

int textRoom(const QLineEdit *edit) {
    // The line edit keeps two pixels each side inside its frame, and one for the caret.
    const int frame = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit);
    const QMargins margins = edit->textMargins();
    return edit->width() - 2 * frame - 4 - margins.left() - margins.right() - 1;
}

int textRoom(const QPushButton *button) {
    QStyleOptionButton option;
    option.initFrom(button);
    const QSize chrome =
        button->style()->sizeFromContents(QStyle::CT_PushButton, &option, QSize(0, 0), button);
    return button->width() - chrome.width();
}

int textRoom(const QLabel *label) {
    return label->width() - 2 * (label->frameWidth() + label->margin());
}
