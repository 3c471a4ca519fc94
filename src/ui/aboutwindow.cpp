#include "ui/aboutwindow.h"

#include "ui/ctrlc.h"
#include "ui/pictures.h"
#include "ui/textfit.h"
#include "ui/twips.h"

#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

namespace {

QString lines(QString text) {
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// Controls on the panel may widen up to its inner edges.
QRect acrossFrame(int top, int height) {
    return Twips::rect(120, top, 5712, height);
}

} // namespace

AboutWindow::AboutWindow(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_frame(new QGroupBox(this)),
      m_productName(new QLabel(m_frame)), m_platform(new QLabel(m_frame)),
      m_close(new QPushButton(m_frame)), m_greeting(new QLabel(m_frame)),
      m_services(addTextBox(m_frame, QStringLiteral("servicesBox"))), m_terms(new QLabel(m_frame)),
      m_pictureFrame(new QFrame(this)), m_picture(new QLabel(m_pictureFrame)),
      m_contactPerson(addTextBox(this, QStringLiteral("contactBox"))),
      m_address(addTextBox(this, QStringLiteral("addressBox"))) {
    setObjectName(QStringLiteral("aboutWindow"));
    setFont(sansFont(8));
    setFixedSize(Twips::px(6075), Twips::px(3930));

    m_frame->setObjectName(QStringLiteral("panel"));
    m_frame->setGeometry(Twips::rect(60, 0, 5952, 3864));
    m_frame->lower();

    m_productName->setObjectName(QStringLiteral("productName"));
    m_productName->setAlignment(Qt::AlignCenter);
    m_productNamePlace = {Twips::rect(1134, 120, 3816, 552), acrossFrame(120, 552),
                          sansFont(24, true)};

    m_platform->setObjectName(QStringLiteral("platformLine"));
    m_platform->setAlignment(Qt::AlignCenter);
    m_platformPlace = {Twips::rect(1698, 648, 2688, 300), acrossFrame(648, 300),
                       sansFont(12, true)};

    m_close->setObjectName(QStringLiteral("closeButton"));
    m_closePlace = {Twips::rect(4968, 1008, 852, 300), Twips::rect(4500, 1008, 1320, 300),
                    sansFont(8)};
    m_close->setGeometry(m_closePlace.drawn);
    m_close->setText(QStringLiteral("Close"));
    connect(m_close, &QPushButton::clicked, this, &AboutWindow::closeToMain);

    m_greeting->setObjectName(QStringLiteral("greeting"));
    m_greeting->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_greetingPlace = {Twips::rect(120, 1032, 3924, 324), Twips::rect(120, 1032, 4320, 324),
                       sansFont(12, true, true)};
    QPalette greetingColours = m_greeting->palette();
    greetingColours.setColor(QPalette::WindowText, greetingColours.color(QPalette::Highlight));
    m_greeting->setPalette(greetingColours);

    // The white panel behind the picture and the two boxes below; its own two lines sit above them.
    m_services->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    m_servicesPlace = {Twips::rect(144, 1392, 5676, 2004), {}, sansFont(8)};
    m_servicesPlace.textHeight = Twips::px(2040 - 1392);

    m_terms->setObjectName(QStringLiteral("terms"));
    m_terms->setWordWrap(true);
    m_terms->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_termsPlace = {Twips::rect(144, 3408, 5652, 420), acrossFrame(3408, 450), sansFont(8), true};

    m_pictureFrame->setObjectName(QStringLiteral("pictureFrame"));
    m_pictureFrame->setGeometry(Twips::rect(300, 2280, 915, 1065));
    m_pictureFrame->setAutoFillBackground(true);
    QPalette white = m_pictureFrame->palette();
    white.setColor(QPalette::Window, Qt::white);
    m_pictureFrame->setPalette(white);

    m_picture->setObjectName(QStringLiteral("picture"));
    m_picture->setGeometry(Twips::rect(24, 432, 600, 516));
    m_picture->setPixmap(aboutPicture());
    m_picture->setScaledContents(true);

    // The two boxes lie on the white panel, to the right of and above the picture.
    m_contactPlace = {Twips::rect(720, 2040, 4620, 420), Twips::rect(720, 2040, 5100, 420),
                      sansFont(8.25, true)};
    m_addressPlace = {Twips::rect(1008, 2688, 4836, 612), {}, sansFont(8)};
    for (QPlainTextEdit *box : {m_contactPerson, m_address}) {
        box->setFrameStyle(QFrame::NoFrame);
        box->document()->setDocumentMargin(0);
        box->setFocusPolicy(Qt::ClickFocus); // reached with the pointer, not with Tab
        box->raise();
    }
    m_close->installEventFilter(this);

    setTabOrder(m_services, m_close);
    m_services->setFocus();

    AboutTexts layout;
    layout.productName = QStringLiteral("Norvak Vekora");
    layout.closeCaption = QStringLiteral("Close");
    applyTexts(layout, {});
}

QPlainTextEdit *AboutWindow::addTextBox(QWidget *parent, const QString &name) {
    auto *box = new QPlainTextEdit(parent);
    box->setObjectName(name);
    box->setReadOnly(true);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setTabChangesFocus(true);
    QPalette colours = box->palette();
    colours.setColor(QPalette::Base, Qt::white);
    colours.setColor(QPalette::Text, Qt::black);
    box->setPalette(colours);
    box->installEventFilter(this);
    return box;
}

void AboutWindow::applyTexts(const AboutTexts &texts, const QString &platformLine) {
    const auto label = [](QLabel *target, const TextPlace &place, const QString &text) {
        fitText(target, place, text);
        target->setText(text);
    };
    const auto box = [](QPlainTextEdit *target, const TextPlace &place, const QString &text) {
        fitText(target, place, text);
        target->setPlainText(text);
    };
    label(m_productName, m_productNamePlace, texts.productName);
    setAccessibleName(texts.productName); // the window has no title bar to name it
    label(m_platform, m_platformPlace, platformLine);
    label(m_greeting, m_greetingPlace, texts.greeting);
    label(m_terms, m_termsPlace, lines(texts.terms));
    fitText(m_close, m_closePlace, texts.closeCaption);
    m_close->setText(texts.closeCaption);
    box(m_services, m_servicesPlace, lines(texts.services));
    box(m_contactPerson, m_contactPlace, lines(texts.contactPerson));
    box(m_address, m_addressPlace, lines(texts.address));
    for (QPlainTextEdit *target : {m_services, m_contactPerson, m_address})
        target->setToolTip(texts.copyTip);
}

void AboutWindow::reject() {
    closeToMain();
}

void AboutWindow::closeToMain() {
    hide();
    emit closeClicked();
}

bool AboutWindow::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (watched == m_close) {
            if (key->key() == Qt::Key_F1)
                emit helpRequested();
        } else if (auto *box = qobject_cast<QPlainTextEdit *>(watched)) {
            if (CtrlC(key->key(), key->modifiers(), box) == CtrlCAction::Help)
                emit helpRequested();
        }
    }
    return QDialog::eventFilter(watched, event);
}

void AboutWindow::paintEvent(QPaintEvent *) {
    // Without a title bar the window needs an edge of its own against the desktop.
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void AboutWindow::showEvent(QShowEvent *event) {
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    QDialog::showEvent(event);
}
