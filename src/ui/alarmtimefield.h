#pragma once

#include <QLineEdit>

// The alarm-time field. A time is one thing to the user: a double-click selects all of it, so
// what is typed next replaces it. QLineEdit would select only the word, "07" of "07:30", and
// the typed digits would then run into the minutes left standing.
class AlarmTimeField : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    // From a double-click to the button's release: a hand's tremor must not shrink the selection.
    bool m_holdingWhole = false;
};
