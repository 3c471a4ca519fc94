#include "platform/attention.h"
#include "ui/form1.h"

#include <QApplication>

void Form1::showAgain() {
    // While the start-up's welcome or About window is open the main window is still hidden on
    // purpose: the user is expected in that window, so that one comes back.
    QWidget *modal = QApplication::activeModalWidget();
    platform_.attention->bringToFront(modal ? modal : this);
}
