#include "ui/daybox.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QFrame>

bool DayBox::hasPopup() const {
    // The drop-down list's frame is the box's only frame child.
    return findChild<QFrame *>(QString(), Qt::FindDirectChildrenOnly) != nullptr;
}

void DayBox::changeEvent(QEvent *event) {
    // Without a list there is nothing to hand the font on to, and the box's own drawing follows
    // its font without help (it has a fixed place, so its cached size hint is not used).
    if (event->type() == QEvent::FontChange && !hasPopup()) {
        QWidget::changeEvent(event);
        return;
    }
    QComboBox::changeEvent(event);
}

void DayBox::showPopup() {
    // The list is a window of its own, which does not take the box's font by itself.
    QWidget *popup = view()->window();
    if (popup->font() != font())
        popup->setFont(font());
    QComboBox::showPopup();
}
