#pragma once

#include "core/strings.h"
#include "ui/textfit.h"

#include <QDialog>

class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QFrame;

// The About window: product, version, greeting, the maker's details and the terms.
// It is hidden, never destroyed, and every way of hiding it hands back to the main window.
class AboutWindow : public QDialog {
    Q_OBJECT
public:
    explicit AboutWindow(QWidget *parent = nullptr);

    void applyTexts(const AboutTexts &texts, const QString &platformLine);

    // Escape or a close request would otherwise hide the window without bringing the (possibly
    // hidden) main window back: they close like the Close button.
    void reject() override;

signals:
    // F1 in a text box or on the Close button, whatever modifiers are held.
    void helpRequested();
    // The window has been hidden by its Close button; the main window shows itself now.
    void closeClicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void closeToMain();
    QPlainTextEdit *addTextBox(QWidget *parent, const QString &name);

    QGroupBox *m_frame;
    QLabel *m_productName;
    QLabel *m_platform;
    QPushButton *m_close;
    QLabel *m_greeting;
    QPlainTextEdit *m_services;
    QLabel *m_terms;
    QFrame *m_pictureFrame;
    QLabel *m_picture;
    QPlainTextEdit *m_contactPerson;
    QPlainTextEdit *m_address;

    TextPlace m_productNamePlace, m_platformPlace, m_closePlace, m_greetingPlace, m_servicesPlace,
        m_termsPlace, m_contactPlace, m_addressPlace;
};
