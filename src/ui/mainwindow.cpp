#include "ui/mainwindow.h"

#include "core/settingscodec.h"
#include "platform/attention.h"
#include "platform/help.h"
#include "ui/aboutwindow.h"
#include "ui/alarmcontroller.h"
#include "ui/alarmtimefield.h"
#include "ui/caretrest.h"
#include "ui/ctrlc.h"
#include "ui/dateline.h"
#include "ui/daybox.h"
#include "ui/generalmenu.h"
#include "ui/pictures.h"
#include "ui/textfit.h"
#include "ui/twips.h"
#include "ui/welcomewindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>

namespace {
// One start in this many shows the About window first.
constexpr int aboutOdds = 15;

// The alarm-time field's background while its text cannot be read.
QColor unreadableColour() {
    return QColor(255, 192, 192);
}
} // namespace

MainWindow::MainWindow(const Platform &platform, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      platform_(platform) {
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(QStringLiteral("Norvak Vekora"));
    setWindowIcon(programIcon());
    QFont dialogFont = font();
    dialogFont.setPointSizeF(8);
    setFont(dialogFont);

    lockedSize_ = QSize(Twips::px(2430), Twips::px(1515));
    setFixedSize(lockedSize_);

    controller_ = new AlarmController(platform_, this);
    menu_ = new GeneralMenu(platform_.languages, this);
    cacheStylePictures(style());
    createControls();
    connectController();
    new CaretRest(this);
}

void MainWindow::createControls() {
    background_ = new QLabel(this);
    background_->setObjectName(QStringLiteral("background"));
    background_->setGeometry(Twips::rect(0, 0, 2460, 1530));

    // The date line, the time display and the frame lie one below the other: drawn overlapping,
    // the date line lost its first and last letters at the window's edges and the flashing time
    // display covered its descenders. The date line spans the window less a margin for the
    // glyphs that reach past their advance; the frame moved down by what the time display needed.
    dateLine_ = new QLabel(QStringLiteral("Mandag 31. november 2001"), this);
    dateLine_->setObjectName(QStringLiteral("dateLine"));
    dateLine_->setGeometry(Twips::rect(0, 0, 2430, 210));
    dateLine_->setContentsMargins(2, 0, 2, 0);
    dateLine_->setAlignment(Qt::AlignCenter);
    // Never markup: a new text is shown without first being scanned for tags.
    dateLine_->setTextFormat(Qt::PlainText);

    timeDisplay_ = new QLabel(QStringLiteral("00:00:00"), this);
    timeDisplay_->setObjectName(QStringLiteral("timeDisplay"));
    timeDisplay_->setAlignment(Qt::AlignCenter);
    timeDisplay_->setTextFormat(Qt::PlainText);
    QFont timeFont = font();
    timeFont.setPointSizeF(13.5);
    timeFont.setWeight(QFont::Normal);
    fitText(timeDisplay_, {Twips::rect(216, 210, 2052, 300), {}, timeFont},
            QStringLiteral("00:00:00"));
    timeDisplay_->setAutoFillBackground(true);
    timeInverted_ = true; // so the first call paints the normal colours
    showTimeDisplay(false);

    alarmFrame_ = new QGroupBox(QStringLiteral("Alarm"), this);
    alarmFrame_->setObjectName(QStringLiteral("alarmFrame"));
    alarmFrame_->setGeometry(Twips::rect(183, 516, 2070, 840));

    weekdayBox_ = new DayBox(alarmFrame_);
    weekdayBox_->setObjectName(QStringLiteral("weekdayBox"));
    weekdayBox_->setGeometry(Twips::rect(45, 180, 675, 315));

    alarmField_ = new AlarmTimeField(QStringLiteral("00:00"), alarmFrame_);
    alarmField_->setObjectName(QStringLiteral("alarmField"));
    alarmField_->setGeometry(Twips::rect(720, 180, 510, 288));
    alarmFieldPalette_ = alarmField_->palette();

    alarmSwitch_ = new QPushButton(controller_->switchCaption(), alarmFrame_);
    alarmSwitch_->setObjectName(QStringLiteral("alarmSwitch"));
    alarmSwitch_->setGeometry(Twips::rect(1260, 180, 756, 315));
    alarmSwitch_->setToolTip(QStringLiteral("Alarm On/Off."));
    alarmSwitch_->setAutoDefault(false);

    messageField_ = new QLineEdit(alarmFrame_);
    messageField_->setObjectName(QStringLiteral("messageField"));
    messageField_->setGeometry(Twips::rect(48, 504, 1950, 270));

    // Tab order: message, weekday, alarm time, switch.
    setTabOrder(messageField_, weekdayBox_);
    setTabOrder(weekdayBox_, alarmField_);
    setTabOrder(alarmField_, alarmSwitch_);
    messageField_->setFocus();

    background_->lower();
    // Under the time display, which paints its whole face each second: were they to share a
    // row, the frame's edge and title would be repainted too.
    alarmFrame_->stackUnder(timeDisplay_);
    fitFonts();

    for (QWidget *w :
         std::initializer_list<QWidget *>{this, background_, dateLine_, timeDisplay_, alarmFrame_,
                                          alarmSwitch_, weekdayBox_, alarmField_, messageField_}) {
        w->installEventFilter(this);
        menu_->watch(w); // installed last, so the menu keys reach the menu first
    }
}

void MainWindow::connectController() {
    AlarmController *c = controller_;
    c->setWindowShape([this] {
        const Qt::WindowStates state = windowState();
        return WindowShape{state & Qt::WindowMinimized   ? 1
                           : state & Qt::WindowMaximized ? 2
                                                         : 0,
                           frameGeometry().topLeft() * Twips::perPixel};
    });
    connect(c, &AlarmController::ticked, this, &MainWindow::showTick);
    connect(c, &AlarmController::languageChanged, this, &MainWindow::showLanguage);
    connect(c, &AlarmController::switchChanged, alarmSwitch_, &QPushButton::setText);
    connect(c, &AlarmController::soundChanged, menu_, &GeneralMenu::showSound);
    connect(c, &AlarmController::alarmTextChanged, this, &MainWindow::showAlarmText);
    connect(c, &AlarmController::weekdayChanged, this, [this](int entry) {
        const QSignalBlocker blocker(weekdayBox_);
        weekdayBox_->setCurrentIndex(entry);
    });
    connect(c, &AlarmController::messageChanged, this, [this](const QString &text) {
        if (messageField_->text() == text)
            return; // the user's own edit: the caret stays where it is
        const QSignalBlocker blocker(messageField_);
        messageField_->setText(text);
    });
    connect(c, &AlarmController::saveFailed, this, [this](const QString &message) {
        QMessageBox::warning(this, QStringLiteral("Vekora"), message);
    });

    connect(alarmSwitch_, &QPushButton::clicked, this, &MainWindow::switchClicked);
    connect(weekdayBox_, &QComboBox::currentIndexChanged, c, &AlarmController::setWeekday);
    connect(weekdayBox_, &QComboBox::activated, c, &AlarmController::markChanged);
    connect(alarmField_, &QLineEdit::textChanged, this, [this](const QString &text) {
        const AlarmTextResult result = controller_->editAlarm(text, alarmField_->cursorPosition());
        alarmField_->setCursorPosition(std::min<int>(result.caret, result.text.size()));
    });
    connect(messageField_, &QLineEdit::textChanged, this, [this](const QString &text) {
        // A pasted line break would split the settings file's message line.
        const QString flat = flattenLineBreaks(text);
        if (flat != text) {
            const int caret = messageField_->cursorPosition();
            const QSignalBlocker blocker(messageField_);
            messageField_->setText(flat);
            messageField_->setCursorPosition(caret);
        }
        controller_->setMessage(flat);
    });

    connect(menu_, &GeneralMenu::minimiseChosen, this, &MainWindow::minimise);
    connect(menu_, &GeneralMenu::soundChosen, c, &AlarmController::setSound);
    connect(menu_, &GeneralMenu::languageChosen, c, &AlarmController::setLanguage);
    connect(menu_, &GeneralMenu::helpChosen, this, [this] { openHelp(); });
    connect(menu_, &GeneralMenu::aboutChosen, this, &MainWindow::showAbout);
    connect(menu_, &GeneralMenu::exitChosen, this, &MainWindow::exitAsked);
}

QMenu *MainWindow::generalMenu() const {
    return menu_;
}

void MainWindow::start() {
    videoAvail_ = ::videoAvail(platform_.dataFolder);
    const QRect screenRect = screen()->geometry();
    const PlaceLimits limits{
        double(screenRect.height() - frameGeometry().height()) * Twips::perPixel,
        double(screenRect.width() - frameGeometry().width()) * Twips::perPixel};
    if (const std::optional<StoredPlace> place = controller_->loadSettings(limits)) {
        if (place->top)
            move(place->left.value_or(x()), *place->top);
        if (static_cast<int>(platform_.random() * aboutOdds) == 1)
            showAboutModal();
    } else {
        // Only a first start shows the welcome, so only a first start pays for it.
        welcomeWindow_ = new WelcomeWindow(this);
        welcomeWindow_->setVideoAvail(videoAvail_);
        connect(welcomeWindow_, &WelcomeWindow::languageChosen, controller_,
                &AlarmController::setLanguage);
        connect(welcomeWindow_, &WelcomeWindow::helpVideoRequested, this,
                [this] { openHelp(QStringLiteral("Contents")); });
        welcomeWindow_->exec();
        welcomeWindow_->deleteLater();
        controller_->setSound(true);
        controller_->setSwitchState(SwitchState::Off);
        showAboutModal();
    }
    controller_->markChanged();
    controller_->tick();
}

void MainWindow::showAboutModal() {
    hide();
    aboutWindow()->exec();
}

// Made when first shown, not at start: most runs never show it, and its pictures, bold fonts
// and text boxes would cost every run memory and start-up time.
AboutWindow *MainWindow::aboutWindow() {
    if (!aboutWindow_) {
        aboutWindow_ = new AboutWindow(this);
        if (controller_->language())
            aboutWindow_->applyTexts(currentStrings().about, platformLine(versionText()));
        connect(aboutWindow_, &AboutWindow::helpRequested, this, [this] { openHelp(); });
        connect(aboutWindow_, &AboutWindow::closeClicked, this, [this] {
            show();
            raise();
            activateWindow();
        });
    }
    return aboutWindow_;
}

void MainWindow::showAbout() {
    AboutWindow *about = aboutWindow();
    about->show();
    about->raise();
    about->activateWindow();
}

void MainWindow::openHelp(const QString &anchor) {
    const QString path = controller_->helpPath().isEmpty()
                             ? helpFilePath(platform_.dataFolder, platform_.languages.at(0))
                             : controller_->helpPath();
    if (::openHelp(*platform_.opener, helpPageOrBuiltIn(path, platform_.cacheFolder), anchor))
        return;
    // Before the first language switch the installed catalogs give the English texts.
    const QString missing = controller_->texts().helpMissing.isEmpty()
                                ? currentStrings().main.helpMissing
                                : controller_->texts().helpMissing;
    QMessageBox::warning(this, QStringLiteral("Vekora"), missing.arg(path));
}

void MainWindow::showAgain() {
    // While the start-up's welcome or About window is open the main window is still hidden on
    // purpose: the user is expected in that window, so that one comes back.
    QWidget *modal = QApplication::activeModalWidget();
    platform_.attention->bringToFront(modal ? modal : this);
}

void MainWindow::showTick(const TickView &view) {
    if (view.minimise)
        minimise();
    timeDisplay_->setText(view.time); // an equal text is not set again
    if (view.date && *view.date != shownDate_) {
        shownDate_ = *view.date;
        showDateLine(dateLine_, shownDate_);
    }
    if (view.ringing) {
        // The start-up's About window would stay on top of the ringing window, and the start-up
        // would wait behind it: it goes as its Close button would send it.
        if (aboutWindow_ && aboutWindow_->isModal() && aboutWindow_->isVisible())
            aboutWindow_->reject();
        if (!isNormalState())
            setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
        setWindowTitle(controller_->ringingTitle());
        if (view.attention) {
            platform_.attention->bringToFront(this);
            platform_.attention->blinkNumLock();
        }
        showTimeDisplay(view.inverted);
        return;
    }
    if (!view.refresh)
        return;
    showTimeDisplay(false);
    if (isNormalState()) {
        setWindowTitle(controller_->title());
    } else {
        setWindowTitle(controller_->minimisedTitle());
        update();
    }
}

void MainWindow::showLanguage() {
    const int index = static_cast<int>(*controller_->language());
    const MainTexts &t = controller_->texts();
    const StringTable table = currentStrings();
    if (welcomeWindow_) {
        const QChar videoLetter = videoAvail_.size() > index ? videoAvail_.at(index) : QChar();
        const bool videoPresent =
            videoLetter == platform_.languages.at(index).videoLetter.toUpper();
        welcomeWindow_->applyTexts(table.welcome, videoPresent ? table.welcome.helpVideo
                                                               : table.welcome.noHelpVideo);
    }
    if (aboutWindow_)
        aboutWindow_->applyTexts(table.about, platformLine(versionText()));

    alarmFrame_->setTitle(t.frameCaption);
    background_->setToolTip(t.hint);
    alarmFrame_->setToolTip(t.frameTip.arg(t.hint));
    alarmField_->setToolTip(t.alarmTimeTip);
    timeDisplay_->setToolTip(t.timeTip.arg(t.hint));
    dateLine_->setToolTip(t.dateTip.arg(t.hint));
    messageField_->setToolTip(t.messageTip);
    alarmSwitch_->setToolTip(t.switchTip.arg(t.hint));
    weekdayBox_->setToolTip(t.dayTip);
    menu_->applyTexts(t);
    menu_->showLanguage(index);
    setWindowTitle(controller_->title());
    {
        const QSignalBlocker blocker(weekdayBox_);
        weekdayBox_->clear();
        for (const QString &entry : weekdayEntries(t))
            weekdayBox_->addItem(entry);
        weekdayBox_->setCurrentIndex(controller_->model().weekday());
    }
    // Labels, buttons and the frame are named by what they show and described by their tool
    // tips, as Qt does by itself; only the fields, which show no name, get one. A list is named
    // by its current entry, so what it is goes in front of its description.
    alarmField_->setAccessibleName(t.alarmTimeName);
    messageField_->setAccessibleName(t.messageName);
    weekdayBox_->setAccessibleDescription(nameAndTip(t.dayName, t.dayTip));
    describeAlarmField();
    fitFonts();
}

void MainWindow::showAlarmText(const QString &text, bool readable) {
    if (alarmField_->text() != text) {
        // The passes already ran to a stable text; writing it must not start another round.
        const QSignalBlocker blocker(alarmField_);
        alarmField_->setText(text);
    }
    alarmFieldInvalid_ = !readable;
    QPalette palette = alarmFieldPalette_;
    if (alarmFieldInvalid_)
        palette.setColor(QPalette::Base, unreadableColour());
    alarmField_->setPalette(palette);
    describeAlarmField();
}

// Screen readers cannot see the red. Qt 6.4 has no invalid-entry state to pass on to them
// (QAccessible::State lacks it), so the field's description opens with the error message the
// switch would show; a readable time gives the tool tip back, as Qt describes any control.
void MainWindow::describeAlarmField() {
    const MainTexts &t = controller_->texts();
    const QString description =
        alarmFieldInvalid_ ? t.errtxt + QLatin1Char(' ') + t.alarmTimeTip : QString();
    if (alarmField_->accessibleDescription() != description)
        alarmField_->setAccessibleDescription(description);
}

// The ringing alarm flashes the time display by swapping the button colours.
void MainWindow::showTimeDisplay(bool inverted) {
    if (inverted == timeInverted_)
        return;
    timeInverted_ = inverted;
    const QPalette system = QApplication::palette();
    const QColor face = system.color(QPalette::Button);
    const QColor text = system.color(QPalette::ButtonText);
    QPalette p = timeDisplay_->palette();
    p.setColor(QPalette::Window, inverted ? text : face);
    p.setColor(QPalette::WindowText, inverted ? face : text);
    timeDisplay_->setPalette(p);
}

void MainWindow::fitFonts() {
    // The controls keep their places; only their fonts give way.
    const auto fit = [this](QWidget *control, const QStringList &texts) {
        fitText(control, {control->geometry(), {}, font()}, texts);
    };
    const MainTexts &t = controller_->texts();
    QStringList days;
    if (controller_->language())
        for (const QString &entry : weekdayEntries(t))
            days << entry;
    fit(weekdayBox_, days);
    fit(alarmField_, {QStringLiteral("00:00")});
    fit(alarmSwitch_, {controller_->switchCaption(), t.stattxt[0], t.stattxt[1],
                       t.stattxt[3] + QStringLiteral(" ((o))"), t.stattxt[4]});
}

void MainWindow::switchClicked() {
    if (controller_->clickSwitch())
        QMessageBox::information(this, QStringLiteral("Vekora"), controller_->texts().errtxt);
    showTimeDisplay(false);
}

bool MainWindow::isNormalState() const {
    return !(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized));
}

void MainWindow::minimise() {
    setWindowState(windowState() | Qt::WindowMinimized);
}

void MainWindow::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    controller_->markChanged();
    if (isNormalState() && size() != lockedSize_)
        resize(lockedSize_);
}

void MainWindow::changeEvent(QEvent *event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        controller_->markChanged();
        if (isNormalState() && size() != lockedSize_)
            resize(lockedSize_);
    }
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event) {
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (watched == alarmSwitch_ || watched == weekdayBox_ || watched == alarmField_) {
            if (key->key() == Qt::Key_F1)
                openHelp();
        } else if (watched == messageField_) {
            // Any key in the message marks the settings for saving, arrows included.
            controller_->markSaveDue();
            if (CtrlC(key->key(), key->modifiers(), messageField_) == CtrlCAction::Help)
                openHelp();
        }
        return false; // the control's own handling of the key still takes place
    }
    case QEvent::MouseButtonPress: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const bool menuSurface = watched == this || watched == background_ ||
                                 watched == dateLine_ || watched == timeDisplay_ ||
                                 watched == alarmFrame_ || watched == alarmSwitch_;
        if (menuSurface && mouse->button() == Qt::RightButton) {
            menu_->popup(mouse->globalPosition().toPoint());
            return true;
        }
        return false;
    }
    case QEvent::MouseButtonDblClick: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const bool minimiseSurface = watched == background_ || watched == dateLine_ ||
                                     watched == timeDisplay_ || watched == alarmFrame_;
        if (minimiseSurface && mouse->button() == Qt::LeftButton) {
            minimise();
            return true;
        }
        return false;
    }
    case QEvent::ContextMenu:
        // A right press already opened the general menu on these; the text fields keep their own.
        return watched != alarmField_ && watched != messageField_ && watched != weekdayBox_;
    default:
        return QWidget::eventFilter(watched, event);
    }
}

void MainWindow::contextMenuEvent(QContextMenuEvent *event) {
    if (event->reason() == QContextMenuEvent::Keyboard)
        menu_->popup(mapToGlobal(QPoint(0, 0)));
}

bool MainWindow::askExit() {
    return QMessageBox::question(this, QStringLiteral("Vekora"), controller_->texts().stp,
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void MainWindow::quit() {
    quitting_ = true;
    controller_->stop();
    emit quitRequested();
}

void MainWindow::exitAsked() {
    controller_->saveSettings();
    if (askExit())
        quit();
}

// The close box and the desktop's close request.
void MainWindow::closeEvent(QCloseEvent *event) {
    if (quitting_) {
        event->accept();
        return;
    }
    controller_->saveSettings();
    if (!isNormalState() || askExit()) {
        event->accept();
        quit();
    } else {
        event->ignore();
    }
}

// Logout, shutdown or a signal: the session manager or the system will not wait for an answer,
// and a change made in the last minute would otherwise be lost.
void MainWindow::saveAndQuit() {
    if (quitting_)
        return;
    // Before the welcome window's language choice there is nothing of the user's to keep, and a
    // file would make the next start skip the welcome.
    if (controller_->language())
        controller_->saveSettings(false);
    quit();
}
