#include "core/clocktexts.h"
#include "platform/notifier.h"
#include "ui/form1.h"

#include <QApplication>
#include <QComboBox>
#include <QMessageBox>
#include <QPushButton>

void Form1::SetCmdStop(SwitchState state) {
    model_.setSwitchState(state);
}

// Follows the model: the caption always names the state in the current language.
void Form1::showSwitch(SwitchState state, std::optional<SwitchState> before) {
    CmdStop->setText(switchCaption(texts_, state, model_.sound()));
    if (before == SwitchState::Ringing && state != SwitchState::Ringing) {
        if (platform_.notifier)
            platform_.notifier->withdraw();
        releaseAwake();
    }
    if (state == SwitchState::Off || state == SwitchState::Error)
        releaseAwake();
    scheduleWakeup();
}

void Form1::CmdStop_Click() {
    if (model_.clickSwitch() == SwitchClick::ShowError)
        QMessageBox::information(this, QStringLiteral("Vekora"), texts_.errtxt);
    showTimeDisplay(false);
}

void Form1::cboDay_Click() {
    model_.markChanged();
}
