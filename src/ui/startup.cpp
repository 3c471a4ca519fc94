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
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <algorithm>
#include <cmath>

namespace {

// A damaged file must not pick a weekday the list does not have.
bool isWeekdayEntry(int n) {
    return n >= -1 && n <= 7;
}
} // namespace

void Form1::Form_Load() {
    VideoAvail = ::videoAvail(platform_.dataFolder);

    if (readSettings()) {
        if (static_cast<int>(platform_.random() * freq) == 1)
            showAboutModal();
    } else {
        // Only a first start shows the welcome, so only a first start pays for it.
        frmInit = new FrmInit(this);
        frmInit->setVideoAvail(VideoAvail);
        connect(frmInit, &FrmInit::languageChosen, this, &Form1::menuLang_Click);
        connect(frmInit, &FrmInit::helpVideoRequested, this,
                [this] { openHelpPage(QStringLiteral("Contents")); });
        frmInit->exec();
        frmInit->deleteLater();
        mLyd(true);
        SetCmdStop(SwitchState::Off);
        showAboutModal();
    }
    model_.markChanged();
    Timer1_Timer();
}

void Form1::showAboutModal() {
    hide();
    aboutWindow()->exec();
}

bool Form1::readSettings() {
    const std::optional<QByteArray> bytes = readSettingsFile(platform_.settingsToRead());
    // An empty file is what a crash or a full disk leaves behind: start as if there were none.
    if (!bytes || bytes->isEmpty())
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
    // Without a stored alarm time the field keeps its harmless 00:00, so the switch must not
    // claim an error the field does not show.
    const auto stopShort = [this] { SetCmdStop(SwitchState::Off); };

    // A number that names no language counts as English (the switch sees to that; -1 would
    // choose none), also one too large to read; an empty file still gets a language, so every
    // control has its texts.
    const auto language = line(1);
    const int stored = roundedNumber(language.value_or(QString())).value_or(0);
    menuLang_Click(stored == -1 ? 0 : stored);
    if (!language)
        return stopShort();

    const auto soundAndState = line(2);
    if (!soundAndState)
        return stopShort();
    mLyd(soundFromLine2(*soundAndState));
    if (windowStateFromLine2(*soundAndState).value_or(0) == 1)
        model_.minimiseAfterStart();

    const QRect screenRect = screen()->geometry();
    const double windowHeight = frameGeometry().height() * Twips::perPixel;
    const double windowWidth = frameGeometry().width() * Twips::perPixel;
    const auto finite = [](double v) { return std::isfinite(v) ? v : 0.0; };

    const auto topLine = line(3);
    if (!topLine)
        return stopShort();
    double top = finite(leadingNumber(*topLine));
    rangetest(top, screenRect.height() * Twips::perPixel - windowHeight - 324);

    const auto leftLine = line(4);
    if (!leftLine) {
        move(x(), static_cast<int>(std::lround(top / Twips::perPixel)));
        return stopShort();
    }
    double left = finite(leadingNumber(*leftLine));
    rangetest(left, screenRect.width() * Twips::perPixel - windowWidth);
    move(static_cast<int>(std::lround(left / Twips::perPixel)),
         static_cast<int>(std::lround(top / Twips::perPixel)));

    const auto weekdayLine = line(5);
    if (!weekdayLine)
        return stopShort();
    if (const int weekday = roundedNumber(*weekdayLine).value_or(0); isWeekdayEntry(weekday)) {
        cboDay->setCurrentIndex(weekday);
    }

    const auto alarmLine = line(6);
    if (!alarmLine)
        return stopShort();
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
    const bool storedOff = std::any_of(
        platform_.languages.begin(), platform_.languages.end(),
        [&](const LanguageInfo &l) { return *captionLine == strings(l).main.stattxt[4]; });
    if (storedOff && model_.switchState() == SwitchState::Armed)
        SetCmdStop(SwitchState::Off);
}

void Form1::GemIni(bool tellFailure) {
    SettingsData data;
    data.language = language_ ? QString::number(static_cast<int>(*language_)) : QString();
    data.sound = model_.sound();
    data.windowState = windowState() & Qt::WindowMinimized   ? 1
                       : windowState() & Qt::WindowMaximized ? 2
                                                             : 0;
    data.top = pTop;
    data.left = pLeft;
    data.weekday = model_.weekday();
    data.alarmText = model_.alarmText();
    data.message = model_.message();
    data.caption = CmdStop->text();
    QString error;
    if (!writeSettingsFile(platform_.settingsFile, encodeSettings(data), &error) && tellFailure &&
        !saveFailureShown) {
        // Once a run: the tick retries every minute and must not stack up messages.
        saveFailureShown = true;
        QMessageBox::warning(this, QStringLiteral("Vekora"),
                             texts_.saveFailed.arg(platform_.settingsFile, error));
    }
}
