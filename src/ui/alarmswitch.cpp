#include "platform/notifier.h"
#include "ui/form1.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

void Form1::SetCmdStop(SwitchState state) {
    const bool wasRinging = switchState_ == SwitchState::Ringing;
    switchState_ = state;
    const int index = static_cast<int>(state);
    CmdStop->setText(state == SwitchState::Armed ? texts_.stattxt[3] + lyd : texts_.stattxt[index]);
    if (wasRinging && state != SwitchState::Ringing && platform_.notifier)
        platform_.notifier->withdraw();
}

void Form1::CmdStop_Click() {
    if (switchState_) {
        switch (*switchState_) {
        case SwitchState::Error:
            QMessageBox::information(this, QStringLiteral("Vekora"), errtxt);
            break;
        case SwitchState::Ringing:
        case SwitchState::Off:
            SetCmdStop(SwitchState::Armed);
            break;
        case SwitchState::Armed:
            SetCmdStop(SwitchState::Off);
            break;
        }
    }
    setTimeDisplayNormal();
    chg = true;
}

void Form1::cboDay_Click() {
    chg = true;
}
