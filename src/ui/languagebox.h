#pragma once

#include <QComboBox>

// The welcome window's language box: an editable box whose list counts only when the user
// picks an entry. Once a language is chosen it is locked against the keyboard; opening the list
// unlocks it for another choice.
class LanguageBox : public QComboBox {
    Q_OBJECT
public:
    explicit LanguageBox(QWidget *parent = nullptr);

    void setLocked(bool locked);

    // Narrows the text field's letters so that `widest` fits it whole; plain spacing again for
    // an empty text.
    void squeezeToFit(const QString &widest);

    void showPopup() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    bool m_locked = false;
};
