#include "ui/ctrlc.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace {

QString selectedText(QWidget *emne) {
    QString text;
    if (auto *line = qobject_cast<QLineEdit *>(emne))
        return line->selectedText();
    if (auto *plain = qobject_cast<QPlainTextEdit *>(emne))
        text = plain->textCursor().selectedText();
    else if (auto *rich = qobject_cast<QTextEdit *>(emne))
        text = rich->textCursor().selectedText();
    // Text cursors mark line ends with Unicode separators that other programs would not expect.
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text;
}

} // namespace

CtrlCAction CtrlC(int key, Qt::KeyboardModifiers modifiers, QWidget *emne) {
    if (key == Qt::Key_F1)
        return CtrlCAction::Help;
    if (key != Qt::Key_C || modifiers != Qt::ControlModifier)
        return CtrlCAction::None;
    // Nothing selected, nothing copied: emptying the clipboard here would lose what the user
    // copied elsewhere.
    const QString text = selectedText(emne);
    if (text.isEmpty())
        return CtrlCAction::None;
    QGuiApplication::clipboard()->setText(text);
    return CtrlCAction::Copied;
}
