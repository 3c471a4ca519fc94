#pragma once

#include <QComboBox>

// The weekday list. A combo box builds its drop-down list (a list view in a frame of its own,
// with scrollers and an item delegate: a megabyte of code and memory) at its first font change,
// to hand the font on; the window fits this box's font at every start, and most runs never open
// the list. This one builds it when first opened and hands the font on then.
class DayBox : public QComboBox {
    Q_OBJECT
public:
    using QComboBox::QComboBox;

    void showPopup() override;

protected:
    void changeEvent(QEvent *event) override;

private:
    bool hasPopup() const;
};
