#include "ui/form1.h"

#include "core/settingscodec.h"
#include "platform/notifier.h"
#include "platform/sleepinhibitor.h"
#include "ui/alarmtimefield.h"
#include "ui/caretrest.h"
#include "ui/daybox.h"
#include "ui/pictures.h"
#include "ui/textfit.h"
#include "ui/twips.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QTimer>

Form1::Form1(const Platform &platform, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      platform_(platform) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Norvak Vekora"));
    setWindowIcon(programIcon());
    QFont dialogFont = font();
    dialogFont.setPointSizeF(8);
    setFont(dialogFont);

    lockedSize = QSize(Twips::px(2430), Twips::px(1515));
    setFixedSize(lockedSize);

    cacheStylePictures(style());
    createControls();
    createMenu();
    new CaretRest(this);

    connect(&model_, &AlarmModel::switchStateChanged, this, &Form1::showSwitch);
    if (platform_.sleep)
        connect(platform_.sleep, &SleepInhibitor::resumed, this, &Form1::onResumed);
    connect(cboDay, &QComboBox::currentIndexChanged, this, &Form1::scheduleWakeup);
    if (platform_.notifier)
        connect(platform_.notifier, &AlarmNotifier::stopRequested, this, [this] {
            if (model_.switchState() == SwitchState::Ringing)
                CmdStop_Click();
        });

    // Re-armed at every tick for the next whole second, so the display never drifts.
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);
    Timer1->setTimerType(Qt::PreciseTimer);
    connect(Timer1, &QTimer::timeout, this, &Form1::onTimer1);
    Timer1->start(msUntilNextSecond(platform_.clock->now()));
}

void Form1::createControls() {
    // The empty background label receives the clicks on the window itself.
    Label0 = new QLabel(this);
    Label0->setObjectName(QStringLiteral("Label(0)"));
    Label0->setGeometry(Twips::rect(0, 0, 2460, 1530));

    // The date line, the time display and the frame lie one below the other: drawn overlapping,
    // the date line lost its first and last letters at the window's edges and the flashing time
    // display covered its descenders. The date line spans the window less a margin for the
    // glyphs that reach past their advance; the frame moved down by what the time display needed.
    Label3 = new QLabel(QStringLiteral("Mandag 31. november 2001"), this);
    Label3->setObjectName(QStringLiteral("Label(3)"));
    Label3->setGeometry(Twips::rect(0, 0, 2430, 210));
    Label3->setContentsMargins(2, 0, 2, 0);
    Label3->setAlignment(Qt::AlignCenter);
    // Never markup: a new text is shown without first being scanned for tags.
    Label3->setTextFormat(Qt::PlainText);

    Label4 = new QLabel(QStringLiteral("00:00:00"), this);
    Label4->setObjectName(QStringLiteral("Label(4)"));
    Label4->setAlignment(Qt::AlignCenter);
    Label4->setTextFormat(Qt::PlainText);
    QFont timeFont = font();
    timeFont.setPointSizeF(13.5);
    timeFont.setWeight(QFont::Normal);
    fitText(Label4, {Twips::rect(216, 210, 2052, 300), {}, timeFont}, QStringLiteral("00:00:00"));
    Label4->setAutoFillBackground(true);
    timeInverted = true; // so the first call paints the normal colours
    showTimeDisplay(false);

    Frame1 = new QGroupBox(QStringLiteral("Alarm"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(Twips::rect(183, 516, 2070, 840));

    cboDay = new DayBox(Frame1);
    cboDay->setObjectName(QStringLiteral("cboDay"));
    cboDay->setGeometry(Twips::rect(45, 180, 675, 315));

    txtAlrm = new AlarmTimeField(QStringLiteral("00:00"), Frame1);
    txtAlrm->setObjectName(QStringLiteral("txtAlrm"));
    txtAlrm->setGeometry(Twips::rect(720, 180, 510, 288));
    alarmFieldPalette = txtAlrm->palette();

    CmdStop = new QPushButton(QStringLiteral("Off"), Frame1);
    CmdStop->setObjectName(QStringLiteral("CmdStop"));
    CmdStop->setGeometry(Twips::rect(1260, 180, 756, 315));
    CmdStop->setToolTip(QStringLiteral("Alarm On/Off."));
    CmdStop->setAutoDefault(false);

    txtMsg = new QLineEdit(Frame1);
    txtMsg->setObjectName(QStringLiteral("txtMsg"));
    txtMsg->setGeometry(Twips::rect(48, 504, 1950, 270));

    // Tab order: message, weekday, alarm time, switch.
    setTabOrder(txtMsg, cboDay);
    setTabOrder(cboDay, txtAlrm);
    setTabOrder(txtAlrm, CmdStop);
    txtMsg->setFocus();

    Label0->lower();
    // Under the time display, which paints its whole face each second: were they to share a
    // row, the frame's edge and title would be repainted too.
    Frame1->stackUnder(Label4);
    fitFonts();

    connect(txtAlrm, &QLineEdit::textChanged, this, &Form1::txtAlrm_Change);
    connect(CmdStop, &QPushButton::clicked, this, &Form1::CmdStop_Click);
    connect(cboDay, &QComboBox::activated, this, &Form1::cboDay_Click);
    connect(cboDay, &QComboBox::currentIndexChanged, &model_, &AlarmModel::setWeekday);
    connect(txtMsg, &QLineEdit::textChanged, this, [this](const QString &text) {
        // A pasted line break would split the settings file's message line.
        const QString flat = flattenLineBreaks(text);
        if (flat != text) {
            const int caret = txtMsg->cursorPosition();
            txtMsg->setText(flat); // comes back here with the flat text
            txtMsg->setCursorPosition(caret);
            return;
        }
        model_.setMessage(text);
    });

    for (QWidget *w : {static_cast<QWidget *>(this), static_cast<QWidget *>(Label0),
                       static_cast<QWidget *>(Label3), static_cast<QWidget *>(Label4),
                       static_cast<QWidget *>(Frame1), static_cast<QWidget *>(CmdStop),
                       static_cast<QWidget *>(cboDay), static_cast<QWidget *>(txtAlrm),
                       static_cast<QWidget *>(txtMsg)})
        w->installEventFilter(this);
}

double Form1::rangetest(double &a, double b) {
    // The upper bound first: on a screen smaller than the window the result is b.
    if (a > b)
        a = b;
    else if (a < 0)
        a = 0;
    return a;
}

bool Form1::isNormalState() const {
    return !(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized));
}

void Form1::Form_Resize() {
    model_.markChanged();
    if (isNormalState() && size() != lockedSize)
        resize(lockedSize);
}

void Form1::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

void Form1::changeEvent(QEvent *event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        Form_Resize();
}

// The ringing alarm flashes the time display by swapping the button colours.
void Form1::showTimeDisplay(bool inverted) {
    if (inverted == timeInverted)
        return;
    timeInverted = inverted;
    const QPalette system = QApplication::palette();
    const QColor face = system.color(QPalette::Button);
    const QColor text = system.color(QPalette::ButtonText);
    QPalette p = Label4->palette();
    p.setColor(QPalette::Window, inverted ? text : face);
    p.setColor(QPalette::WindowText, inverted ? face : text);
    Label4->setPalette(p);
}

void Form1::fitFonts() {
    // The controls keep their places; only their fonts give way.
    const auto fit = [this](QWidget *control, const QStringList &texts) {
        fitText(control, {control->geometry(), {}, font()}, texts);
    };
    QStringList days;
    for (int i = 0; i < cboDay->count(); ++i)
        days << cboDay->itemText(i);
    fit(cboDay, days);
    fit(txtAlrm, {QStringLiteral("00:00")});
    fit(CmdStop, {CmdStop->text(), texts_.stattxt[0], texts_.stattxt[1],
                  texts_.stattxt[3] + QStringLiteral(" ((o))"), texts_.stattxt[4]});
}

void Form1::onTimer1() {
    Timer1_Timer();
    Timer1->start(msUntilNextSecond(platform_.clock->now()));
}
