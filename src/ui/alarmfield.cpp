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
    alarmFieldInvalid = !result.alarmTime;
    QPalette palette = alarmFieldPalette;
    if (alarmFieldInvalid)
        palette.setColor(QPalette::Base, QColor(255, 192, 192));
    txtAlrm->setPalette(palette);
    describeAlarmField();
}

// Screen readers cannot see the red. Qt 6.4 has no invalid-entry state to pass on to them
// (QAccessible::State lacks it), so the field's description opens with the error message the
// switch would show; a readable time gives the tool tip back, as Qt describes any control.
void Form1::describeAlarmField() {
    const QString description =
        alarmFieldInvalid ? texts_.errtxt + QLatin1Char(' ') + texts_.alarmTimeTip : QString();
    if (txtAlrm->accessibleDescription() != description)
        txtAlrm->setAccessibleDescription(description);
}
