#include "ui/alarmtimefield.h"

#include <QMouseEvent>

void AlarmTimeField::mouseDoubleClickEvent(QMouseEvent *event) {
    QLineEdit::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton) {
        selectAll();
        m_holdingWhole = true;
    }
}

void AlarmTimeField::mouseMoveEvent(QMouseEvent *event) {
    if (!m_holdingWhole)
        QLineEdit::mouseMoveEvent(event);
}

void AlarmTimeField::mouseReleaseEvent(QMouseEvent *event) {
    m_holdingWhole = false;
    QLineEdit::mouseReleaseEvent(event);
}
