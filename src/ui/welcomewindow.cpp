#include "ui/welcomewindow.h"

#include "ui/languagebox.h"
#include "ui/pictures.h"
#include "ui/textfit.h"
#include "ui/twips.h"
#include "ui/welcomemarker.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

namespace {
constexpr int widthTwips = 2175;
constexpr int heightBeforeChoice = 885;
constexpr int heightAfterChoice = 1860;

QString lines(QString text) {
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}
} // namespace

WelcomeWindow::WelcomeWindow(QWidget *parent, const LanguageList &languages)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_image(new QLabel(this)),
      m_title(new QLabel(this)), m_language(new LanguageBox(this)), m_greeting(new QLabel(this)),
      m_helpVideo(new QPushButton(this)), m_continue(new QPushButton(this)),
      m_timer(new QTimer(this)) {
    setObjectName(QStringLiteral("welcomeWindow"));
    setFont(sansFont(8));
    // The window stays where it was drawn, its client area's corner at (8670, 6735) twips.
    move(Twips::px(8670), Twips::px(6735));
    holdSize(heightBeforeChoice);

    m_image->setObjectName(QStringLiteral("picture"));
    m_image->setGeometry(Twips::rect(48, 24, 324, 324));
    m_image->setPixmap(programIcon());
    m_image->setScaledContents(true);

    m_title->setObjectName(QStringLiteral("title"));
    m_titlePlace = {Twips::rect(432, 48, 1548, 372), Twips::rect(432, 48, 1700, 372),
                    sansFont(13.5), false};
    fitText(m_title, m_titlePlace, QStringLiteral("Vekora"));
    m_title->setText(QStringLiteral("Vekora"));

    m_language->setObjectName(QStringLiteral("languageList"));
    // Before a language is chosen: the texts installed, English on a first start.
    const WelcomeTexts texts = currentStrings().welcome;
    setAccessibleName(texts.windowName);
    m_language->setAccessibleDescription(texts.languageName);
    m_language->setGeometry(Twips::rect(72, 432, 1932, 288));
    for (const LanguageInfo &language : languages)
        m_language->addItem(language.listName);
    m_language->setCurrentIndex(-1);
    m_language->squeezeToFit(languageBoxMarker(19));

    m_greeting->setObjectName(QStringLiteral("greeting"));
    m_greeting->setWordWrap(true);
    m_greeting->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // The greeting may run down to the buttons and across the window's width.
    m_greetingPlace = {Twips::rect(72, 744, 1908, 564), Twips::rect(72, 744, 2010, 648),
                       sansFont(8), true};
    m_greeting->setGeometry(m_greetingPlace.drawn);

    m_helpVideo->setObjectName(QStringLiteral("helpVideoButton"));
    m_helpVideoPlace = {Twips::rect(48, 1392, 1650, 348), {}, sansFont(8), false};
    m_helpVideo->setGeometry(m_helpVideoPlace.drawn);
    m_helpVideo->setText(QStringLiteral("=> Hjælp video"));

    m_continue->setObjectName(QStringLiteral("continueButton"));
    m_continue->setGeometry(Twips::rect(1680, 1392, 345, 348));
    m_continue->setText(QStringLiteral(">>"));

    // Enter presses the focused button only (keyPressEvent); no button is a default that Enter
    // in the language box could press while the buttons are still out of sight.
    for (QPushButton *button : {m_helpVideo, m_continue})
        button->setAutoDefault(false);

    setTabOrder(m_language, m_helpVideo);
    setTabOrder(m_helpVideo, m_continue);
    m_language->setFocus();

    connect(m_language, &QComboBox::activated, this, &WelcomeWindow::choose);
    connect(m_helpVideo, &QPushButton::clicked, this, &WelcomeWindow::helpVideoRequested);
    connect(m_continue, &QPushButton::clicked, this, &WelcomeWindow::accept);

    m_timer->setObjectName(QStringLiteral("markerTimer"));
    m_timer->setInterval(50);
    connect(m_timer, &QTimer::timeout, this, &WelcomeWindow::step);
}

void WelcomeWindow::setVideoAvail(const QString &letters) {
    m_videoAvail = letters;
}

QString WelcomeWindow::videoAvail() const {
    return m_videoAvail;
}

void WelcomeWindow::applyTexts(const WelcomeTexts &texts, const QString &buttonTag) {
    fitText(m_title, m_titlePlace, texts.title);
    m_title->setText(texts.title);
    const QString greeting = lines(texts.greeting);
    fitText(m_greeting, m_greetingPlace, greeting);
    m_greeting->setText(greeting);
    m_language->setToolTip(texts.languageTip);
    setAccessibleName(texts.windowName);
    m_language->setAccessibleDescription(nameAndTip(texts.languageName, texts.languageTip));
    m_helpVideo->setToolTip(texts.helpVideoTip);
    m_buttonTag = buttonTag;
}

void WelcomeWindow::reject() {
    if (languageChosenYet())
        accept();
}

void WelcomeWindow::resizeEvent(QResizeEvent *event) {
    QDialog::resizeEvent(event);
    if (size() != m_held)
        resize(m_held);
}

void WelcomeWindow::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (auto *button = qobject_cast<QPushButton *>(focusWidget());
            button && button->isEnabled())
            button->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void WelcomeWindow::paintEvent(QPaintEvent *) {
    // Without a title bar the window needs an edge of its own against the desktop.
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

// The marker moves only while someone can see it: the window lives on hidden for the whole run
// after a normal start, and twenty re-laid-out texts a second cost more than the clock itself.
void WelcomeWindow::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    m_timer->start();
}

void WelcomeWindow::hideEvent(QHideEvent *event) {
    QDialog::hideEvent(event);
    m_timer->stop();
}

void WelcomeWindow::holdSize(int heightTwips) {
    m_held = QSize(Twips::px(widthTwips), Twips::px(heightTwips));
    setFixedSize(m_held);
}

bool WelcomeWindow::languageChosenYet() const {
    return m_language->currentIndex() != -1;
}

void WelcomeWindow::step() {
    const bool chosen = languageChosenYet();
    const int position = markerPosition(m_counter, chosen);
    m_counter = position + 1;
    if (!chosen)
        m_language->setEditText(languageBoxMarker(position));
    else if (m_helpVideo->isEnabled())
        m_helpVideo->setText(helpButtonMarker(position, m_buttonTag));
}

void WelcomeWindow::choose(int index) {
    if (index < 0)
        return;
    emit languageChosen(index);
    m_language->squeezeToFit({});
    m_timer->setInterval(100);
    holdSize(heightAfterChoice);
    // A lower-case letter: that language's video is missing.
    const QChar letter = index < m_videoAvail.size() ? m_videoAvail.at(index) : QChar();
    if (letter.unicode() > 96) {
        fitText(m_helpVideo, m_helpVideoPlace, m_buttonTag);
        m_helpVideo->setText(m_buttonTag);
        m_helpVideo->setEnabled(false);
    } else {
        fitText(m_helpVideo, m_helpVideoPlace, helpButtonMarker(0, m_buttonTag));
        m_helpVideo->setEnabled(true);
        m_helpVideo->setFocus();
    }
    m_language->setLocked(true);
}
