#include "ui/ctrlc.h"
#include "ui/form1.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

void Form1::cboDay_KeyDown(int key) {
    if (key == Qt::Key_F1)
        menuHelp_Click();
}

bool Form1::eventFilter(QObject *watched, QEvent *event) {
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto *key = static_cast<QKeyEvent *>(event);
        // Not every control turns these keys into a context menu request, and where one does,
        // the text fields would open their own menu: the main window opens its general menu.
        const bool menuKey = key->key() == Qt::Key_Menu ||
                             (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier);
        if (menuKey) {
            auto *widget = qobject_cast<QWidget *>(watched);
            showGeneralMenu(widget->mapToGlobal(QPoint(0, widget->height())));
            return true;
        }
        if (watched == CmdStop || watched == cboDay || watched == txtAlrm) {
            cboDay_KeyDown(key->key());
        } else if (watched == txtMsg) {
            // Any key in the message marks the settings for saving, arrows included.
            model_.markSaveDue();
            if (CtrlC(key->key(), key->modifiers(), txtMsg) == CtrlCAction::Help)
                cboDay_KeyDown(Qt::Key_F1);
        }
        return false; // the control's own handling of the key still takes place
    }
    case QEvent::MouseButtonPress: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const bool menuSurface = watched == this || watched == Label0 || watched == Label3 ||
                                 watched == Label4 || watched == Frame1 || watched == CmdStop;
        if (menuSurface && mouse->button() == Qt::RightButton) {
            showGeneralMenu(mouse->globalPosition().toPoint());
            return true;
        }
        return false;
    }
    case QEvent::MouseButtonDblClick: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const bool minimiseSurface =
            watched == Label0 || watched == Label3 || watched == Label4 || watched == Frame1;
        if (minimiseSurface && mouse->button() == Qt::LeftButton) {
            ToMin();
            return true;
        }
        return false;
    }
    case QEvent::ContextMenu: {
        const auto *menuEvent = static_cast<QContextMenuEvent *>(event);
        if (menuEvent->reason() == QContextMenuEvent::Keyboard) {
            // The menu key and Shift+F10 open the general menu at the focused control.
            auto *widget = qobject_cast<QWidget *>(watched);
            showGeneralMenu(widget->mapToGlobal(QPoint(0, widget->height())));
            return true;
        }
        // A right press already opened the general menu on these; the text fields keep their own.
        return watched != txtAlrm && watched != txtMsg && watched != cboDay;
    }
    default:
        return QWidget::eventFilter(watched, event);
    }
}

void Form1::contextMenuEvent(QContextMenuEvent *event) {
    if (event->reason() == QContextMenuEvent::Keyboard)
        showGeneralMenu(mapToGlobal(QPoint(0, 0)));
}
