#pragma once

#include "core/strings.h"
#include "ui/textfit.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTimer;
class LanguageBox;

// The first-run welcome window: asks for the language, greets in it and offers the help video.
// It talks to the main window only through its signals and setters.
class WelcomeWindow : public QDialog {
    Q_OBJECT
public:
    // The language list offers the languages in this order; a choice emits the row's index.
    explicit WelcomeWindow(QWidget *parent = nullptr,
                           const LanguageList &languages = programLanguages());

    // Which help videos exist: "ED", "Ed", "eD" or "ed", upper case = present, English first.
    void setVideoAvail(const QString &letters);
    QString videoAvail() const;

    // buttonTag is what the help-video button shows: its text with the video there, the
    // no-video text otherwise.
    void applyTexts(const WelcomeTexts &texts, const QString &buttonTag);

    // Leaving is only by ">>" once a language is chosen; Escape or a close request before a
    // choice would start the program without any language.
    void reject() override;

signals:
    // Connected directly: the receiver applies the language (applyTexts) before the emit returns.
    void languageChosen(int index);
    void helpVideoRequested();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void holdSize(int heightTwips);
    void step();
    void choose(int index);
    bool languageChosenYet() const;

    QLabel *m_image;
    QLabel *m_title;
    LanguageBox *m_language;
    QLabel *m_greeting;
    QPushButton *m_helpVideo;
    QPushButton *m_continue;
    QTimer *m_timer;

    QString m_videoAvail;
    QString m_buttonTag;
    int m_counter = 0;
    QSize m_held;
    TextPlace m_titlePlace, m_greetingPlace, m_helpVideoPlace;
};
