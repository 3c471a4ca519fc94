#include "platform/basicattention.h"

#include <QApplication>
#include <QWidget>

void BasicAttention::beep() {
    QApplication::beep();
}

void BasicAttention::bringToFront(QWidget *window) {
    if (!window)
        return;
    window->setWindowState((window->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window->show();
    window->raise();
    window->activateWindow();
}
