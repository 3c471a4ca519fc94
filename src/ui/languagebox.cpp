#include "ui/languagebox.h"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QWheelEvent>

LanguageBox::LanguageBox(QWidget *parent) : QComboBox(parent) {
    setEditable(true);
    // Typed text is never a new language, and completion would fight the moving marker.
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
}

void LanguageBox::setLocked(bool locked) {
    m_locked = locked;
    if (lineEdit())
        lineEdit()->setReadOnly(locked);
}

void LanguageBox::squeezeToFit(const QString &widest) {
    QFont font = this->font();
    font.setLetterSpacing(QFont::AbsoluteSpacing, 0);
    if (!widest.isEmpty()) {
        QStyleOptionComboBox option;
        initStyleOption(&option);
        const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                    QStyle::SC_ComboBoxEditField, this);
        // The line edit keeps a small margin on both sides and room for the caret.
        const qreal room = field.width() - 7;
        const QFontMetricsF metrics(font);
        const qreal natural = metrics.horizontalAdvance(widest);
        // Word spacing would be the obvious tool, but it leaves runs of spaces alone.
        if (natural > room)
            font.setLetterSpacing(QFont::AbsoluteSpacing,
                                  -qMin((natural - room) / widest.size(),
                                        metrics.horizontalAdvance(QLatin1Char(' ')) - 1));
    }
    lineEdit()->setFont(font);
}

void LanguageBox::showPopup() {
    setLocked(false);
    QComboBox::showPopup();
}

void LanguageBox::keyPressEvent(QKeyEvent *event) {
    if (m_locked) {
        const bool alt = event->modifiers() & Qt::AltModifier;
        switch (event->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
            if (alt) // Alt+arrow opens the list, which is allowed
                break;
            [[fallthrough]];
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            event->accept();
            return;
        default:
            break;
        }
    }
    QComboBox::keyPressEvent(event);
}

void LanguageBox::wheelEvent(QWheelEvent *event) {
    if (m_locked) {
        event->accept();
        return;
    }
    QComboBox::wheelEvent(event);
}
