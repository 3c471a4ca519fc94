#include "platform/clock.h"
#include "platform/sleepinhibitor.h"
#include "platform/wakescheduler.h"
#include "ui/form1.h"

#include <QTimer>

// A minute early, so the desktop is back and the alarm rings on time.
void Form1::scheduleWakeup() {
    if (!platform_.wake)
        return;
    const std::optional<QDateTime> next = model_.nextRinging(platform_.clock->now());
    if (next)
        platform_.wake->setWakeup(next->toSecsSinceEpoch() - 60);
    else
        platform_.wake->clearWakeup();
}

void Form1::onResumed() {
    onTimer1();
    const ClockSample now = platform_.clock->now();
    if (const std::optional<QDateTime> next = model_.nextRinging(now)) {
        const qint64 ahead = now.moment.secsTo(*next);
        // A lid closed again right after the wake-up must not take the alarm with it.
        if (ahead >= 0 && ahead < AlarmModel::resumeWindowSeconds)
            holdAwake(ahead + AlarmModel::keepAwakeSeconds);
    }
}

void Form1::holdAwake(qint64 forSeconds) {
    if (!platform_.sleep)
        return;
    platform_.sleep->hold(texts_.keepAwake);
    if (!awakeLimit) {
        awakeLimit = new QTimer(this);
        awakeLimit->setSingleShot(true);
        connect(awakeLimit, &QTimer::timeout, this, &Form1::releaseAwake);
    }
    awakeLimit->start(std::chrono::seconds(forSeconds));
}

void Form1::releaseAwake() {
    if (awakeLimit)
        awakeLimit->stop();
    if (platform_.sleep)
        platform_.sleep->release();
}
