#pragma once

#include <Qt>

class QWidget;

enum class CtrlCAction { None, Help, Copied };

// The key routine of the read-only boxes and the main window's message field.
// F1 (with any modifiers) asks for help; Ctrl alone with C replaces the clipboard by the box's
// selected text, and leaves it alone when nothing is selected. The key is never consumed: the
// box handles it as usual afterwards.
// emne: a QLineEdit, QPlainTextEdit or QTextEdit; anything else has no selection.
CtrlCAction CtrlC(int key, Qt::KeyboardModifiers modifiers, QWidget *emne);
