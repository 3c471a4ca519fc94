#include "core/alarmtext.h"
#include "ui/form1.h"

#include <QLineEdit>
#include <QSignalBlocker>

void Form1::txtAlrm_Change() {
    const AlarmTextResult result = normaliseAlarmText(txtAlrm->text(), txtAlrm->cursorPosition());
    if (txtAlrm->text() != result.text) {
        // The passes already ran to a stable text; writing it must not start another round.
        const QSignalBlocker blocker(txtAlrm);
        txtAlrm->setText(result.text);
    }
    txtAlrm->setCursorPosition(std::min<int>(result.caret, txtAlrm->text().size()));
    if (result.changed)
        model_.markChanged();
    model_.setAlarm(result.text, result.alarmTime);
    QPalette palette = alarmFieldPalette;
    if (!result.alarmTime)
        palette.setColor(QPalette::Base, QColor(255, 192, 192));
    txtAlrm->setPalette(palette);
}
