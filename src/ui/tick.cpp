#include "core/clocktexts.h"
#include "platform/attention.h"
#include "platform/notifier.h"
#include "ui/dateline.h"
#include "ui/form1.h"
#include "ui/twips.h"

#include <QLabel>

void Form1::Timer1_Timer() {
    // One sample: the date and weekday always belong to the same instant as the time.
    const ClockSample now = platform_.clock->now();
    const bool normal = isNormalState();
    if (normal) {
        pTop = frameGeometry().top() * Twips::perPixel;
        pLeft = frameGeometry().left() * Twips::perPixel;
    }
    const TickOutcome out = model_.tick(now, normal, [this] { GemIni(); });
    if (out.minimise)
        ToMin();
    Label4->setText(timeText(now.wholeSeconds())); // an equal text is not set again

    if (out.refreshDate) {
        const QString date = dateLine(language_, texts_, now.date);
        if (date != Label3->text())
            showDateLine(Label3, date);
    }
    if (out.missed)
        scheduleWakeup();
    if (out.missed && platform_.notifier) {
        const MissedAlarm &missed = *out.missed;
        platform_.notifier->notice(texts_.missedAlarm.arg(texts_.daytxt[missed.weekday].left(3),
                                                          timeText(missed.alarmTime).left(5)),
                                   model_.message());
    }
    if (out.ringing) {
        ring(now, out);
        return;
    }
    if (!out.refresh)
        return;
    showTimeDisplay(false);
    if (isNormalState()) {
        setWindowTitle(texts_.stattxt[5]);
    } else {
        setWindowTitle(minimisedCaption(texts_, model_, now));
        update();
    }
}

void Form1::ring(const ClockSample &now, const TickOutcome &out) {
    if (out.fired)
        holdAwake(AlarmModel::keepAwakeSeconds);
    if (out.fired && platform_.notifier) {
        QString body = notificationBody(now);
        if (out.lateMinutes > 0)
            body += QLatin1Char('\n') + texts_.lateNote.arg(out.lateMinutes);
        platform_.notifier->show(texts_.frameCaption + QStringLiteral(" !!!"), body);
    }
    if (out.beep)
        platform_.attention->beep();
    if (!isNormalState())
        setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
    setWindowTitle(texts_.frameCaption + QStringLiteral(" !!!"));
    if (out.attention) {
        platform_.attention->bringToFront(this);
        platform_.attention->blinkNumLock();
    }
    showTimeDisplay(out.inverted);
}

QString Form1::notificationBody(const ClockSample &now) const {
    if (!model_.message().trimmed().isEmpty())
        return model_.message();
    return texts_.daytxt[now.weekday()] + QLatin1Char(' ') + model_.alarmText();
}
