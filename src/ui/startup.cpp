#include "ui/form1.h"
#include "ui/twips.h"

#include "core/alarmtext.h"
#include "core/settingscodec.h"
#include "platform/help.h"
#include "platform/settingsfile.h"
#include "ui/frminit.h"
#include "ui/frmsplash.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <cmath>

namespace {

// A damaged file must not pick a weekday the list does not have.
bool isWeekdayEntry(int n) {
    return n >= -1 && n <= 7;
}
} // namespace

void Form1::Form_Load() {
    VideoAvail = ::videoAvail(platform_.dataFolder);
    frmInit = new FrmInit(this);
    frmInit->setVideoAvail(VideoAvail);
    connect(frmInit, &FrmInit::languageChosen, this, &Form1::menuLang_Click);
    connect(frmInit, &FrmInit::helpVideoRequested, this,
            [this] { openHelpPage(QStringLiteral("Contents")); });

    if (readSettings()) {
        if (const QString alarm = txtAlrm->text(); auto seconds = readTimeOfDay(alarm))
            AlarmTime = *seconds;
        if (static_cast<int>(platform_.random() * freq) == 1)
            showAboutModal();
    } else {
        frmInit->exec();
        frmInit->deleteLater();
        mLyd(true);
        SetCmdStop(SwitchState::Off);
        showAboutModal();
    }
    chg = true;
    Timer1_Timer();
}

void Form1::showAboutModal() {
    hide();
    aboutWindow()->exec();
}

bool Form1::readSettings() {
    const std::optional<QByteArray> bytes = readSettingsFile(platform_.settingsFile);
    if (!bytes)
        return false;
    applySettingsLines(decodeSettingsLines(*bytes));
    return true;
}

// Each line is applied before the next is read, as each may trigger the window's own handlers.
// A short file stops at its first missing line and keeps what was applied.
void Form1::applySettingsLines(const QStringList &lines) {
    const auto line = [&lines](int n) -> std::optional<QString> {
        if (n > lines.size())
            return std::nullopt;
        return lines.at(n - 1);
    };

    // A number that names no language counts as English (the switch sees to that; -1 would
    // choose none), also one too large to read; an empty file still gets a language, so every
    // control has its texts.
    const auto language = line(1);
    const int stored = roundedNumber(language.value_or(QString())).value_or(0);
    menuLang_Click(stored == -1 ? 0 : stored);
    if (!language)
        return;

    const auto soundAndState = line(2);
    if (!soundAndState)
        return;
    mLyd(soundAndState->startsWith(QLatin1Char('1')));
    winstate = roundedNumber(soundAndState->mid(1)).value_or(0);

    const QRect screenRect = screen()->geometry();
    const double windowHeight = frameGeometry().height() * Twips::perPixel;
    const double windowWidth = frameGeometry().width() * Twips::perPixel;
    const auto finite = [](double v) { return std::isfinite(v) ? v : 0.0; };

    const auto topLine = line(3);
    if (!topLine)
        return;
    double top = finite(leadingNumber(*topLine));
    rangetest(top, screenRect.height() * Twips::perPixel - windowHeight - 324);

    const auto leftLine = line(4);
    if (!leftLine) {
        move(x(), static_cast<int>(std::lround(top / Twips::perPixel)));
        return;
    }
    double left = finite(leadingNumber(*leftLine));
    rangetest(left, screenRect.width() * Twips::perPixel - windowWidth);
    move(static_cast<int>(std::lround(left / Twips::perPixel)),
         static_cast<int>(std::lround(top / Twips::perPixel)));

    const auto weekdayLine = line(5);
    if (!weekdayLine)
        return;
    if (const int weekday = roundedNumber(*weekdayLine).value_or(0); isWeekdayEntry(weekday))
        cboDay->setCurrentIndex(weekday);

    const auto alarmLine = line(6);
    if (!alarmLine)
        return;
    // The stored text is parsed even when it equals the field's initial text, so a stored
    // 00:00 arms the switch like any other valid time.
    if (txtAlrm->text() == *alarmLine)
        txtAlrm_Change();
    else
        txtAlrm->setText(*alarmLine);

    const auto messageLine = line(7);
    if (!messageLine)
        return;
    txtMsg->setText(*messageLine);

    const auto captionLine = line(8);
    if (!captionLine)
        return;
    // The caption alone used to decide nothing, so an alarm shown as switched off still rang.
    // A stored off caption now switches a valid alarm off; the caption then follows the state.
    const bool storedOff = *captionLine == strings(Language::English).main.stattxt[4] ||
                           *captionLine == strings(Language::Danish).main.stattxt[4];
    if (storedOff && switchState_ == SwitchState::Armed)
        SetCmdStop(SwitchState::Off);
    else
        SetCmdStop(switchState_.value_or(SwitchState::Error));
}

void Form1::GemIni() {
    SettingsData data;
    data.language = language_ ? QString::number(static_cast<int>(*language_)) : QString();
    data.sound = soundOn();
    data.windowState = windowState() & Qt::WindowMinimized   ? 1
                       : windowState() & Qt::WindowMaximized ? 2
                                                             : 0;
    data.top = pTop;
    data.left = pLeft;
    data.weekday = cboDay->currentIndex();
    data.alarmText = txtAlrm->text();
    data.message = txtMsg->text();
    data.caption = CmdStop->text();
    writeSettingsFile(platform_.settingsFile, encodeSettings(data));
}
