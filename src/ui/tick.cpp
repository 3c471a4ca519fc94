#include "core/clocktexts.h"
#include "platform/attention.h"
#include "platform/notifier.h"
#include "ui/dateline.h"
#include "ui/form1.h"
#include "ui/twips.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
constexpr int secondsPerDay = 86400;
// How long after the alarm minute begins the window is pulled forward and Num Lock blinks.
constexpr int attentionSeconds = 4;
} // namespace

void Form1::Timer1_Timer() {
    // One sample: the date and weekday always belong to the same instant as t.
    const ClockSample now = platform_.clock->now();
    const int t = now.wholeSeconds();
    const QString oldMinute = Label4->text().mid(3, 2);
    const QString newMinute = twoDigits(t / 60 % 60);
    Label4->setText(timeText(t));
    bool fire = false;

    if (isNormalState()) {
        pTop = frameGeometry().top() * Twips::perPixel;
        pLeft = frameGeometry().left() * Twips::perPixel;
        if (chg)
            chg1 = true;
    }
    if (winstate == 1) {
        ++winstateN;
        if (winstateN == 10) {
            winstate = 0;
            ToMin();
        }
        if (winstateN < 3)
            chg1 = false;
        if (chg1 && winstateN > 2) {
            winstate = 0;
            chg1 = false;
        }
    }

    if (newMinute != oldMinute) {
        if (chg1) {
            GemIni();
            chg1 = false;
        }
        chg = true;
        if (switchState_ == SwitchState::Armed) {
            const int day = cboDay->currentIndex();
            const std::pair<QDate, int> firing{now.date, AlarmTime / 60};
            fire = t / 60 == AlarmTime / 60 && (day == 0 || day == now.weekday()) &&
                   lastFiring != firing;
            if (fire) {
                lastFiring = firing;
                SetCmdStop(SwitchState::Ringing);
                if (platform_.notifier)
                    platform_.notifier->show(Frame1->title() + QStringLiteral(" !!!"),
                                             notificationBody(now));
            }
        }
    }

    if (chg) {
        const QString date = dateLine(language_, texts_, now.date);
        if (date != Label3->text())
            showDateLine(Label3, date);
    }

    if (switchState_ == SwitchState::Ringing) {
        if (soundOn() && fire)
            platform_.attention->beep();
        if (!isNormalState())
            setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
        setWindowTitle(Frame1->title() + QStringLiteral(" !!!"));
        // Time since the alarm minute began, across midnight too.
        const int elapsed = ((t - AlarmTime) % secondsPerDay + secondsPerDay) % secondsPerDay;
        if (elapsed < attentionSeconds) {
            platform_.attention->bringToFront(this);
            platform_.attention->blinkNumLock();
        }
        invertTimeDisplay();
        return;
    }

    if (!chg)
        return;
    if (CmdStop->text() == texts_.stattxt[1])
        CmdStop->setText(texts_.stattxt[3] + lyd);
    setTimeDisplayNormal();
    if (isNormalState()) {
        setWindowTitle(texts_.stattxt[5]);
    } else {
        CaptionInputs in;
        in.dayText = cboDay->currentText();
        in.dayIndex = cboDay->currentIndex();
        in.seconds = now.seconds;
        in.weekday = now.weekday();
        in.alarmTime = AlarmTime;
        in.armedShown = CmdStop->text() == texts_.stattxt[3] + lyd;
        in.alarmText = txtAlrm->text();
        in.lyd = lyd;
        setWindowTitle(minimisedCaption(texts_, in));
        update();
    }
    chg = false;
}

QString Form1::notificationBody(const ClockSample &now) const {
    if (!txtMsg->text().trimmed().isEmpty())
        return txtMsg->text();
    return texts_.daytxt[now.weekday()] + QLatin1Char(' ') + txtAlrm->text();
}
