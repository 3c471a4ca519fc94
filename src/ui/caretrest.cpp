#include "ui/caretrest.h"

#include <QEvent>
#include <QGuiApplication>
#include <QStyleHints>

CaretRest::CaretRest(QObject *parent, std::chrono::milliseconds after)
    : QObject(parent), m_flashTime(QGuiApplication::styleHints()->cursorFlashTime()) {
    m_timer.setSingleShot(true);
    m_timer.setInterval(after);
    connect(&m_timer, &QTimer::timeout, this, &CaretRest::rest);
    // Sees every event of the application, so input in any window wakes the caret.
    QCoreApplication::instance()->installEventFilter(this);
    m_timer.start();
}

CaretRest::~CaretRest() {
    if (m_resting)
        QGuiApplication::styleHints()->setCursorFlashTime(m_flashTime);
}

bool CaretRest::eventFilter(QObject *, QEvent *event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::InputMethod:
    case QEvent::WindowActivate:
        wake();
        break;
    default:
        break;
    }
    return false;
}

void CaretRest::wake() {
    if (m_resting) {
        m_resting = false;
        QGuiApplication::styleHints()->setCursorFlashTime(m_flashTime);
    }
    m_timer.start();
}

void CaretRest::rest() {
    // A desktop that does not blink at all has nothing to rest.
    if (m_flashTime <= 0)
        return;
    m_resting = true;
    // Qt's text fields stop their blink timers at once and leave the caret shown.
    QGuiApplication::styleHints()->setCursorFlashTime(0);
}
