#include "platform/sleepinhibitor.h"
#include "platform/wakescheduler.h"
#include "ui/form1.h"

#include <QAction>
#include <QCloseEvent>
#include <QMessageBox>

void Form1::menuSound_Click() {
    // The action has already toggled its own check mark; mLyd sets it again from the wish.
    mLyd(menuSound->isChecked());
}

void Form1::mLyd(bool sound) {
    menuSound->setChecked(sound);
    model_.setSound(sound);
    if (model_.switchState() == SwitchState::Armed)
        SetCmdStop(SwitchState::Armed);
}

void Form1::menuMin_Click() {
    ToMin();
}

void Form1::ToMin() {
    setWindowState(windowState() | Qt::WindowMinimized);
}

// Leaving: nothing of ours may wake the machine any more.
void Form1::quit() {
    quitting = true;
    if (platform_.wake)
        platform_.wake->clearWakeup();
    releaseAwake();
    emit quitRequested();
}

bool Form1::askExit() {
    return QMessageBox::question(this, QStringLiteral("Vekora"), texts_.stp,
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void Form1::menuExit_Click() {
    GemIni();
    if (askExit()) {
        quit();
    }
}

// Form_QueryUnload: the close box and the desktop's close request.
void Form1::closeEvent(QCloseEvent *event) {
    if (quitting) {
        event->accept();
        return;
    }
    GemIni();
    if (!isNormalState() || askExit()) {
        event->accept();
        quit();
    } else {
        event->ignore();
    }
}
