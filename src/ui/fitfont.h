#pragma once

#include <QFont>
#include <QStringList>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The window keeps its small fixed layout whatever the desktop's font: a text that would not fit
// its control gets the largest smaller font (down to 60 %) in which it does.
QFont fittingFont(const QFont &base, const QStringList &texts, int width);

// The room each kind of control leaves for its text.
int textRoom(const QComboBox *box);
int textRoom(const QLineEdit *edit);
int textRoom(const QPushButton *button);
int textRoom(const QLabel *label);
