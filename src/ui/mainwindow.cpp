#include "ui/mainwindow.h"

#include "core/clocktexts.h"
#include "core/settingscodec.h"
#include "platform/attention.h"
#include "platform/help.h"
#include "platform/numlockblinker.h"
#include "ui/aboutwindow.h"
#include "ui/alarmcontroller.h"
#include "ui/alarmtimefield.h"
#include "ui/caretrest.h"
#include "ui/ctrlc.h"
#include "ui/dateline.h"
#include "ui/daybox.h"
#include "ui/generalmenu.h"
#include "ui/messagebox.h"
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
      m_platform(platform) {
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(QStringLiteral("Norvak Vekora"));
    setWindowIcon(programIcon());
    QFont dialogFont = font();
    dialogFont.setPointSizeF(8);
    setFont(dialogFont);

    m_lockedSize = QSize(Twips::px(2430), Twips::px(1515));
    setFixedSize(m_lockedSize);

    m_controller = new AlarmController(m_platform, this);
    cacheStylePictures(style());
    createControls();
    connectController();
    new CaretRest(this);
}

void MainWindow::createControls() {
    m_background = new QLabel(this);
    m_background->setObjectName(QStringLiteral("background"));
    m_background->setGeometry(Twips::rect(0, 0, 2460, 1530));

    // The date line, the time display and the frame lie one below the other: drawn overlapping,
    // the date line lost its first and last letters at the window's edges and the flashing time
    // display covered its descenders. The date line spans the window less a margin for the
    // glyphs that reach past their advance; the frame moved down by what the time display needed.
    m_dateLine = new QLabel(QStringLiteral("Mandag 31. november 2001"), this);
    m_dateLine->setObjectName(QStringLiteral("dateLine"));
    m_dateLine->setGeometry(Twips::rect(0, 0, 2430, 210));
    m_dateLine->setContentsMargins(2, 0, 2, 0);
    m_dateLine->setAlignment(Qt::AlignCenter);
    // Never markup: a new text is shown without first being scanned for tags.
    m_dateLine->setTextFormat(Qt::PlainText);

    m_timeDisplay = new QLabel(QStringLiteral("00:00:00"), this);
    m_timeDisplay->setObjectName(QStringLiteral("timeDisplay"));
    m_timeDisplay->setAlignment(Qt::AlignCenter);
    m_timeDisplay->setTextFormat(Qt::PlainText);
    QFont timeFont = font();
    timeFont.setPointSizeF(13.5);
    timeFont.setWeight(QFont::Normal);
    fitText(m_timeDisplay, {Twips::rect(216, 210, 2052, 300), {}, timeFont},
            QStringLiteral("00:00:00"));
    m_timeDisplay->setAutoFillBackground(true);
    m_timeInverted = true; // so the first call paints the normal colours
    showTimeDisplay(false);

    m_alarmFrame = new QGroupBox(QStringLiteral("Alarm"), this);
    m_alarmFrame->setObjectName(QStringLiteral("alarmFrame"));
    m_alarmFrame->setGeometry(Twips::rect(183, 516, 2070, 840));

    m_weekdayBox = new DayBox(m_alarmFrame);
    m_weekdayBox->setObjectName(QStringLiteral("weekdayBox"));
    m_weekdayBox->setGeometry(Twips::rect(45, 180, 675, 315));

    m_alarmField = new AlarmTimeField(QStringLiteral("00:00"), m_alarmFrame);
    m_alarmField->setObjectName(QStringLiteral("alarmField"));
    m_alarmField->setGeometry(Twips::rect(720, 180, 510, 288));
    m_alarmFieldPalette = m_alarmField->palette();

    m_alarmSwitch = new QPushButton(m_controller->switchCaption(), m_alarmFrame);
    m_alarmSwitch->setObjectName(QStringLiteral("alarmSwitch"));
    m_alarmSwitch->setGeometry(Twips::rect(1260, 180, 756, 315));
    m_alarmSwitch->setToolTip(QStringLiteral("Alarm On/Off."));
    m_alarmSwitch->setAutoDefault(false);

    m_messageField = new QLineEdit(m_alarmFrame);
    m_messageField->setObjectName(QStringLiteral("messageField"));
    m_messageField->setMaxLength(int(maxMessageLength));
    m_messageField->setGeometry(Twips::rect(48, 504, 1950, 270));

    // Tab order: message, weekday, alarm time, switch.
    setTabOrder(m_messageField, m_weekdayBox);
    setTabOrder(m_weekdayBox, m_alarmField);
    setTabOrder(m_alarmField, m_alarmSwitch);
    m_messageField->setFocus();

    m_background->lower();
    // Under the time display, which paints its whole face each second: were they to share a
    // row, the frame's edge and title would be repainted too.
    m_alarmFrame->stackUnder(m_timeDisplay);
    fitFonts();

    for (QWidget *w : std::initializer_list<QWidget *>{
             this, m_background, m_dateLine, m_timeDisplay, m_alarmFrame, m_alarmSwitch,
             m_weekdayBox, m_alarmField, m_messageField}) {
        w->installEventFilter(this);
    }
}

void MainWindow::connectController() {
    AlarmController *c = m_controller;
    c->setWindowShape([this] {
        const Qt::WindowStates state = windowState();
        return WindowShape{state & Qt::WindowMinimized   ? WindowState::Minimised
                           : state & Qt::WindowMaximized ? WindowState::Maximised
                                                         : WindowState::Normal,
                           frameGeometry().topLeft() * Twips::perPixel};
    });
    connect(c, &AlarmController::ticked, this, &MainWindow::showTick);
    connect(c, &AlarmController::languageChanged, this, &MainWindow::showLanguage);
    connect(c, &AlarmController::switchChanged, m_alarmSwitch, &QPushButton::setText);
    connect(c, &AlarmController::soundChanged, this, [this](bool on) {
        if (m_menu)
            m_menu->showSound(on);
    });
    connect(c, &AlarmController::alarmTextChanged, this, &MainWindow::showAlarmText);
    connect(c, &AlarmController::weekdayChanged, this, [this](int entry) {
        const QSignalBlocker blocker(m_weekdayBox);
        m_weekdayBox->setCurrentIndex(entry);
    });
    connect(c, &AlarmController::messageChanged, this, [this](const QString &text) {
        if (m_messageField->text() == text)
            return; // the user's own edit: the caret stays where it is
        const QSignalBlocker blocker(m_messageField);
        m_messageField->setText(text);
    });
    connect(c, &AlarmController::saveFailed, this, &MainWindow::tell);
    connect(c, &AlarmController::readFailed, this, &MainWindow::tell);
    connect(c, &AlarmController::nextWakeChanged, this, &MainWindow::showMinimisedTitle);
    // A click on the ringing alarm's notification: the window comes forward, the alarm rings on.
    connect(c, &AlarmController::showRequested, this, [this](const QString &activationToken) {
        m_platform.attention->bringToFrontAsked(this, activationToken);
    });

    connect(m_alarmSwitch, &QPushButton::clicked, this, &MainWindow::switchClicked);
    connect(m_weekdayBox, &QComboBox::currentIndexChanged, c, &AlarmController::setWeekday);
    connect(m_weekdayBox, &QComboBox::activated, c, &AlarmController::markChanged);
    connect(m_alarmField, &QLineEdit::textChanged, this, [this](const QString &text) {
        const AlarmTextResult result =
            m_controller->editAlarm(text, m_alarmField->cursorPosition());
        m_alarmField->setCursorPosition(std::min<int>(result.caret, result.text.size()));
    });
    connect(m_messageField, &QLineEdit::textChanged, this, [this](const QString &text) {
        // A pasted line break would split the settings file's message line.
        const QString flat = flattenLineBreaks(text);
        if (flat != text) {
            const int caret = m_messageField->cursorPosition();
            const QSignalBlocker blocker(m_messageField);
            m_messageField->setText(flat);
            m_messageField->setCursorPosition(caret);
        }
        m_controller->setMessage(flat);
    });

}

// Made when first opened: most runs never open it, and a menu with its items would cost every
// run memory.
QMenu *MainWindow::generalMenu() {
    if (m_menu)
        return m_menu;
    AlarmController *c = m_controller;
    m_menu = new GeneralMenu(m_platform.languages, this);
    if (c->language()) {
        m_menu->applyTexts(c->texts());
        m_menu->showLanguage(static_cast<int>(*c->language()));
    }
    m_menu->showSound(c->model().sound());
    connect(m_menu, &GeneralMenu::minimiseChosen, this, &MainWindow::minimise);
    connect(m_menu, &GeneralMenu::soundChosen, c, &AlarmController::setSound);
    connect(m_menu, &GeneralMenu::languageChosen, c, &AlarmController::setLanguage);
    connect(m_menu, &GeneralMenu::helpChosen, this, [this] { openHelp(); });
    connect(m_menu, &GeneralMenu::aboutChosen, this, &MainWindow::showAbout);
    connect(m_menu, &GeneralMenu::exitChosen, this, &MainWindow::exitAsked);
    return m_menu;
}

void MainWindow::openMenuBelow(QWidget *control) {
    generalMenu()->popup(control->mapToGlobal(QPoint(0, control->height())));
}

void MainWindow::start() {
    m_videoAvail = ::videoAvail(m_platform.dataFolder);
    const QRect screenRect = screen()->geometry();
    const PlaceLimits limits{
        double(screenRect.height() - frameGeometry().height()) * Twips::perPixel,
        double(screenRect.width() - frameGeometry().width()) * Twips::perPixel};
    if (const std::optional<StoredPlace> place = m_controller->loadSettings(limits)) {
        if (place->top)
            move(place->left.value_or(x()), *place->top);
        if (static_cast<int>(m_platform.random() * aboutOdds) == 1)
            showAboutModal();
    } else {
        // Only a first start shows the welcome, so only a first start pays for it.
        m_welcomeWindow = new WelcomeWindow(this);
        m_welcomeWindow->setVideoAvail(m_videoAvail);
        connect(m_welcomeWindow, &WelcomeWindow::languageChosen, m_controller,
                &AlarmController::setLanguage);
        connect(m_welcomeWindow, &WelcomeWindow::helpVideoRequested, this,
                [this] { openHelp(QStringLiteral("Contents")); });
        m_welcomeWindow->exec();
        m_welcomeWindow->deleteLater();
        m_controller->setSound(true);
        m_controller->setSwitchState(SwitchState::Off);
        showAboutModal();
    }
    m_controller->markChanged();
    m_controller->tick();
}

void MainWindow::showAboutModal() {
    hide();
    aboutWindow()->exec();
}

// Made when first shown, not at start: most runs never show it, and its pictures, bold fonts
// and text boxes would cost every run memory and start-up time.
AboutWindow *MainWindow::aboutWindow() {
    if (!m_aboutWindow) {
        m_aboutWindow = new AboutWindow(this);
        if (m_controller->language())
            m_aboutWindow->applyTexts(currentStrings().about, platformLine(versionText()));
        connect(m_aboutWindow, &AboutWindow::helpRequested, this, [this] { openHelp(); });
        connect(m_aboutWindow, &AboutWindow::closeClicked, this, [this] {
            show();
            raise();
            activateWindow();
        });
    }
    return m_aboutWindow;
}

void MainWindow::showAbout() {
    AboutWindow *about = aboutWindow();
    about->show();
    about->raise();
    about->activateWindow();
}

void MainWindow::openHelp(const QString &anchor) {
    const QString path = m_controller->helpPath().isEmpty()
                             ? helpFilePath(m_platform.dataFolder, m_platform.languages.at(0))
                             : m_controller->helpPath();
    QString problem;
    if (::openHelp(*m_platform.opener, helpPageOrBuiltIn(path, m_platform.cacheFolder, &problem),
                   anchor))
        return;
    // Before the first language switch the installed catalogs give the English texts.
    const QString missing = m_controller->texts().helpMissing.isEmpty()
                                ? currentStrings().main.helpMissing
                                : m_controller->texts().helpMissing;
    tell(missing.arg(path) + (problem.isEmpty() ? QString() : u'\n' + problem));
}

// Said without waiting for an answer, so the clock goes on behind it.
void MainWindow::tell(const QString &text) {
    openMessageBox(this, QMessageBox::Warning, m_controller->programName(), text, QMessageBox::Ok,
                   Qt::NonModal);
}

void MainWindow::showAgain() {
    // While the start-up's welcome or About window is open the main window is still hidden on
    // purpose: the user is expected in that window, so that one comes back.
    QWidget *modal = QApplication::activeModalWidget();
    m_platform.attention->bringToFront(modal ? modal : this);
}

void MainWindow::showTick(const TickView &view) {
    if (view.minimise)
        minimise();
    m_timeDisplay->setText(view.time); // an equal text is not set again
    if (view.date && *view.date != m_shownDate) {
        m_shownDate = *view.date;
        showDateLine(m_dateLine, m_shownDate);
    }
    if (view.ringing) {
        // The start-up's About window would stay on top of the ringing window, and the start-up
        // would wait behind it: it goes as its Close button would send it.
        if (m_aboutWindow && m_aboutWindow->isModal() && m_aboutWindow->isVisible())
            m_aboutWindow->reject();
        if (!isNormalState())
            setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
        setWindowTitle(m_controller->ringingTitle());
        if (view.attention) {
            m_platform.attention->bringToFront(this);
            if (!m_numLock)
                m_numLock = new NumLockBlinker(*m_platform.attention, this);
            m_numLock->blink();
        }
        showTimeDisplay(view.inverted);
        return;
    }
    if (!view.refresh)
        return;
    showTimeDisplay(false);
    if (isNormalState())
        setWindowTitle(m_controller->title());
    else
        showMinimisedTitle();
}

void MainWindow::showMinimisedTitle() {
    if (isNormalState() || m_controller->model().switchState() == SwitchState::Ringing)
        return;
    setWindowTitle(m_controller->minimisedTitle());
    update();
}

void MainWindow::showLanguage() {
    const int index = static_cast<int>(*m_controller->language());
    const MainTexts &t = m_controller->texts();
    const StringTable table = currentStrings();
    if (m_welcomeWindow) {
        const QChar videoLetter = m_videoAvail.size() > index ? m_videoAvail.at(index) : QChar();
        const bool videoPresent =
            videoLetter == m_platform.languages.at(index).videoLetter.toUpper();
        m_welcomeWindow->applyTexts(table.welcome, videoPresent ? table.welcome.helpVideo
                                                                : table.welcome.noHelpVideo);
    }
    if (m_aboutWindow)
        m_aboutWindow->applyTexts(table.about, platformLine(versionText()));

    m_alarmFrame->setTitle(t.frameCaption);
    m_background->setToolTip(t.hint);
    m_alarmFrame->setToolTip(t.frameTip.arg(t.hint));
    m_alarmField->setToolTip(t.alarmTimeTip);
    m_timeDisplay->setToolTip(t.timeTip.arg(t.hint));
    m_dateLine->setToolTip(t.dateTip.arg(t.hint));
    m_messageField->setToolTip(t.messageTip);
    m_alarmSwitch->setToolTip(t.switchTip.arg(t.hint));
    m_weekdayBox->setToolTip(t.dayTip);
    if (m_menu) {
        m_menu->applyTexts(t);
        m_menu->showLanguage(index);
    }
    setWindowTitle(m_controller->title());
    {
        const QSignalBlocker blocker(m_weekdayBox);
        m_weekdayBox->clear();
        for (const QString &entry : weekdayEntries(t))
            m_weekdayBox->addItem(entry);
        m_weekdayBox->setCurrentIndex(m_controller->model().weekday());
    }
    // Labels, buttons and the frame are named by what they show and described by their tool
    // tips, as Qt does by itself; only the fields, which show no name, get one. A list is named
    // by its current entry, so what it is goes in front of its description.
    m_alarmField->setAccessibleName(t.alarmTimeName);
    m_messageField->setAccessibleName(t.messageName);
    m_weekdayBox->setAccessibleDescription(nameAndTip(t.dayName, t.dayTip));
    describeAlarmField();
    fitFonts();
}

void MainWindow::showAlarmText(const QString &text, bool readable) {
    if (m_alarmField->text() != text) {
        // The passes already ran to a stable text; writing it must not start another round.
        const QSignalBlocker blocker(m_alarmField);
        m_alarmField->setText(text);
    }
    m_alarmFieldInvalid = !readable;
    QPalette palette = m_alarmFieldPalette;
    if (m_alarmFieldInvalid)
        palette.setColor(QPalette::Base, unreadableColour());
    m_alarmField->setPalette(palette);
    describeAlarmField();
}

// Screen readers cannot see the red. Qt 6.4 has no invalid-entry state to pass on to them
// (QAccessible::State lacks it), so the field's description opens with the error message the
// switch would show; a readable time gives the tool tip back, as Qt describes any control.
void MainWindow::describeAlarmField() {
    const MainTexts &t = m_controller->texts();
    const QString description =
        m_alarmFieldInvalid ? t.alarmTimeError + QLatin1Char(' ') + t.alarmTimeTip : QString();
    if (m_alarmField->accessibleDescription() != description)
        m_alarmField->setAccessibleDescription(description);
}

// The ringing alarm flashes the time display by swapping the button colours.
void MainWindow::showTimeDisplay(bool inverted) {
    if (inverted == m_timeInverted)
        return;
    m_timeInverted = inverted;
    const QPalette system = QApplication::palette();
    const QColor face = system.color(QPalette::Button);
    const QColor text = system.color(QPalette::ButtonText);
    QPalette p = m_timeDisplay->palette();
    p.setColor(QPalette::Window, inverted ? text : face);
    p.setColor(QPalette::WindowText, inverted ? face : text);
    m_timeDisplay->setPalette(p);
}

void MainWindow::fitFonts() {
    // The controls keep their places; only their fonts give way.
    const auto fit = [this](QWidget *control, const QStringList &texts) {
        fitText(control, {control->geometry(), {}, font()}, texts);
    };
    const MainTexts &t = m_controller->texts();
    QStringList days;
    if (m_controller->language())
        for (const QString &entry : weekdayEntries(t))
            days << entry;
    fit(m_weekdayBox, days);
    fit(m_alarmField, {QStringLiteral("00:00")});
    fit(m_alarmSwitch, {m_controller->switchCaption(), t.errorCaption, t.ringingCaption,
                        t.armedCaption + soundMark(true), t.offCaption});
}

void MainWindow::switchClicked() {
    if (m_controller->clickSwitch())
        openMessageBox(this, QMessageBox::Information, m_controller->programName(),
                       m_controller->texts().alarmTimeError, QMessageBox::Ok, Qt::WindowModal);
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
    m_controller->markChanged();
    if (isNormalState() && size() != m_lockedSize)
        resize(m_lockedSize);
}

void MainWindow::changeEvent(QEvent *event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        m_controller->markChanged();
        if (isNormalState() && size() != m_lockedSize)
            resize(m_lockedSize);
    }
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event) {
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto *key = static_cast<QKeyEvent *>(event);
        // Not every control turns these keys into a context menu request, and where one does,
        // the text fields would open their own menu.
        if (key->key() == Qt::Key_Menu ||
            (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier)) {
            openMenuBelow(static_cast<QWidget *>(watched));
            return true;
        }
        if (watched == m_alarmSwitch || watched == m_weekdayBox || watched == m_alarmField) {
            if (key->key() == Qt::Key_F1)
                openHelp();
        } else if (watched == m_messageField) {
            // Any key in the message marks the settings for saving, arrows included.
            m_controller->markSaveDue();
            if (CtrlC(key->key(), key->modifiers(), m_messageField) == CtrlCAction::Help)
                openHelp();
        }
        return false; // the control's own handling of the key still takes place
    }
    case QEvent::MouseButtonPress: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const bool menuSurface = watched == this || watched == m_background ||
                                 watched == m_dateLine || watched == m_timeDisplay ||
                                 watched == m_alarmFrame || watched == m_alarmSwitch;
        if (menuSurface && mouse->button() == Qt::RightButton) {
            generalMenu()->popup(mouse->globalPosition().toPoint());
            return true;
        }
        return false;
    }
    case QEvent::MouseButtonDblClick: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const bool minimiseSurface = watched == m_background || watched == m_dateLine ||
                                     watched == m_timeDisplay || watched == m_alarmFrame;
        if (minimiseSurface && mouse->button() == Qt::LeftButton) {
            minimise();
            return true;
        }
        return false;
    }
    case QEvent::ContextMenu:
        if (static_cast<QContextMenuEvent *>(event)->reason() == QContextMenuEvent::Keyboard) {
            openMenuBelow(static_cast<QWidget *>(watched));
            return true;
        }
        // A right press already opened the general menu on these; the text fields keep their own.
        return watched != m_alarmField && watched != m_messageField && watched != m_weekdayBox;
    default:
        return QWidget::eventFilter(watched, event);
    }
}

void MainWindow::contextMenuEvent(QContextMenuEvent *event) {
    if (event->reason() == QContextMenuEvent::Keyboard)
        generalMenu()->popup(mapToGlobal(QPoint(0, 0)));
}

void MainWindow::askExit(bool saved, const QString &failure) {
    if (m_exitQuestion) {
        m_exitQuestion->raise();
        m_exitQuestion->activateWindow();
        return;
    }
    const QString question = m_controller->texts().exitQuestion;
    m_exitQuestion = openMessageBox(this, saved ? QMessageBox::Question : QMessageBox::Warning,
                                    m_controller->programName(),
                                    saved ? question : failure + QStringLiteral("\n\n") + question,
                                    QMessageBox::Yes | QMessageBox::No, Qt::WindowModal,
                                    [this](QMessageBox::StandardButton answer) {
                                        if (answer == QMessageBox::Yes)
                                            quit();
                                    });
}

void MainWindow::quit(int status) {
    m_quitting = true;
    m_controller->stop();
    emit quitRequested(status);
}

void MainWindow::exitAsked() {
    QString failure;
    const bool saved = m_controller->saveSettings(&failure);
    askExit(saved, failure);
}

// The close box and the desktop's close request. Minimised, the program ends without asking,
// unless the settings could not be saved: that is always said.
void MainWindow::closeEvent(QCloseEvent *event) {
    if (m_quitting) {
        event->accept();
        return;
    }
    event->ignore();
    QString failure;
    const bool saved = m_controller->saveSettings(&failure);
    if (saved && !isNormalState()) {
        event->accept();
        quit();
    } else {
        askExit(saved, failure);
    }
}

// Logout, shutdown or a signal: the session manager or the system will not wait for an answer,
// and a change made in the last minute would otherwise be lost.
void MainWindow::saveAndQuit() {
    if (m_quitting)
        return;
    // Before the welcome window's language choice there is nothing of the user's to keep, and a
    // file would make the next start skip the welcome. A save that fails is said on stderr and
    // in the exit status: nobody is there to read a message.
    quit(!m_controller->language() || m_controller->saveSettings() ? 0 : 1);
}
