#include "ui/alarmcontroller.h"

#include "core/catalogs.h"
#include "core/clocktexts.h"
#include "core/settingscodec.h"
#include "platform/attention.h"
#include "platform/clock.h"
#include "platform/help.h"
#include "platform/notifier.h"
#include "platform/runrecord.h"
#include "platform/settingsfile.h"
#include "platform/sleepinhibitor.h"
#include "platform/wakescheduler.h"
#include "ui/twips.h"

#include <QTimer>
#include <algorithm>
#include <cmath>

namespace {

// A damaged file must not pick a weekday the list does not have.
bool isWeekdayEntry(int n) {
    return n >= -1 && n <= 7;
}

double finiteOrZero(double v) {
    return std::isfinite(v) ? v : 0.0;
}

int pixels(double twips) {
    return static_cast<int>(std::lround(twips / Twips::perPixel));
}
} // namespace

AlarmController::AlarmController(const Platform &platform, QObject *parent)
    : QObject(parent), platform_(platform) {
    connect(&model_, &AlarmModel::switchStateChanged, this, &AlarmController::onSwitchChanged);
    if (platform_.sleep)
        connect(platform_.sleep, &SleepInhibitor::resumed, this, &AlarmController::onResumed);
    if (platform_.notifier)
        connect(platform_.notifier, &AlarmNotifier::stopRequested, this, [this] {
            if (model_.switchState() == SwitchState::Ringing)
                clickSwitch();
        });
    if (platform_.notifier)
        connect(platform_.notifier, &AlarmNotifier::snoozeRequested, this,
                [this] { model_.snooze(platform_.clock->now().moment); });

    // Re-armed at every tick for the next whole second, so the display never drifts.
    tickTimer_ = new QTimer(this);
    tickTimer_->setObjectName(QStringLiteral("tickTimer"));
    tickTimer_->setSingleShot(true);
    tickTimer_->setTimerType(Qt::PreciseTimer);
    connect(tickTimer_, &QTimer::timeout, this, [this] {
        tick();
        tickTimer_->start(msUntilNextSecond(platform_.clock->now()));
    });
    tickTimer_->start(msUntilNextSecond(platform_.clock->now()));
}

WindowShape AlarmController::shape() const {
    return shape_ ? shape_() : WindowShape{};
}

void AlarmController::tick() {
    // One sample: the date and weekday always belong to the same instant as the time.
    now_ = platform_.clock->now();
    const WindowShape window = shape();
    const bool normal = window.state == 0;
    if (normal)
        place_ = window.topLeft;
    const TickOutcome out = model_.tick(now_, normal, [this] { saveSettings(); });
    if (out.minuteChanged)
        stampRunRecord();

    TickView view;
    view.minimise = out.minimise;
    view.time = timeText(now_.wholeSeconds());
    if (out.refreshDate)
        view.date = dateLine(language_, texts_, now_.date);
    if (out.missed) {
        scheduleWakeup();
        noticeMissed(*out.missed);
    }
    if (out.fired) {
        holdAwake(AlarmModel::keepAwakeSeconds);
        if (platform_.notifier) {
            QString body = notificationBody();
            if (out.lateMinutes > 0)
                body += QLatin1Char('\n') + texts_.lateNote.arg(out.lateMinutes);
            platform_.notifier->show(ringingTitle(), body);
        }
    }
    if (out.beep)
        platform_.attention->beep();
    view.ringing = out.ringing;
    view.attention = out.attention;
    view.inverted = out.inverted;
    view.refresh = out.refresh;
    emit ticked(view);
}

QString AlarmController::notificationBody() const {
    if (!model_.message().trimmed().isEmpty())
        return model_.message();
    return texts_.daytxt[now_.weekday()] + QLatin1Char(' ') + model_.alarmText();
}

QString AlarmController::switchCaption() const {
    const std::optional<SwitchState> state = model_.switchState();
    // Until the first language the switch keeps the caption it was made with.
    return state ? ::switchCaption(texts_, *state, model_.sound()) : QStringLiteral("Off");
}

QString AlarmController::title() const {
    return texts_.stattxt[5];
}

QString AlarmController::minimisedTitle() const {
    return minimisedCaption(texts_, model_, now_);
}

QString AlarmController::ringingTitle() const {
    return texts_.frameCaption + QStringLiteral(" !!!");
}

void AlarmController::onSwitchChanged(SwitchState state, std::optional<SwitchState> before) {
    if (before == SwitchState::Ringing && state != SwitchState::Ringing) {
        if (platform_.notifier)
            platform_.notifier->withdraw();
        releaseAwake();
    }
    if (state == SwitchState::Off || state == SwitchState::Error)
        releaseAwake();
    scheduleWakeup();
    emit switchChanged(switchCaption());
}

void AlarmController::setSwitchState(SwitchState state) {
    model_.setSwitchState(state);
}

bool AlarmController::clickSwitch() {
    return model_.clickSwitch() == SwitchClick::ShowError;
}

void AlarmController::setSound(bool on) {
    model_.setSound(on);
    if (model_.switchState() == SwitchState::Armed)
        setSwitchState(SwitchState::Armed); // the caption carries the sound mark
    emit soundChanged(on);
}

void AlarmController::setWeekday(int entry) {
    model_.setWeekday(entry);
    scheduleWakeup();
    emit weekdayChanged(entry);
}

AlarmTextResult AlarmController::editAlarm(const QString &text, int caret) {
    const AlarmTextResult result = normaliseAlarmText(text, caret);
    if (result.changed)
        model_.markChanged();
    model_.setAlarm(result.text, result.alarmTime);
    emit alarmTextChanged(result.text, result.alarmTime.has_value());
    return result;
}

void AlarmController::setMessage(const QString &text) {
    model_.setMessage(text);
    emit messageChanged(text);
}

void AlarmController::setLanguage(int index) {
    if (index == -1)
        return;
    // A number outside the list (a damaged settings file) counts as English.
    const int i = index > 0 && index < platform_.languages.size() ? index : 0;
    const LanguageInfo &language = platform_.languages.at(i);
    language_ = Language(i);
    if (!catalogs_)
        catalogs_ = new Catalogs(this);
    if (!catalogs_->install(language))
        qWarning("vekora: no catalog for language \"%s\"; the texts stay English",
                 qUtf8Printable(language.code));
    texts_ = currentStrings().main;
    if (platform_.notifier)
        platform_.notifier->setSnoozeLabel(texts_.snoozeAction);
    helpPath_ = helpFilePath(platform_.dataFolder, language);
    setSwitchState(model_.switchState().value_or(SwitchState::Error));
    // The weekday list is filled anew and has no "none" entry selected afterwards.
    model_.setWeekday(std::max(model_.weekday(), 0));
    emit languageChanged();
    model_.markChanged();
}

std::optional<StoredPlace> AlarmController::loadSettings(const PlaceLimits &limits) {
    const std::optional<QByteArray> bytes = readSettingsFile(platform_.settingsToRead());
    // An empty file is what a crash or a full disk leaves behind: start as if there were none.
    if (!bytes || bytes->isEmpty()) {
        stampRunRecord();
        return std::nullopt;
    }
    const StoredPlace place = applySettings(decodeSettingsLines(*bytes), limits);
    reportMissedWhileClosed();
    return place;
}

// Left as a notice, not rung: the program may have been closed on purpose.
void AlarmController::reportMissedWhileClosed() {
    const ClockSample now = platform_.clock->now();
    const std::optional<QDateTime> lastRun = RunRecord(platform_.runRecordFile).lastRun();
    if (lastRun) {
        if (const std::optional<MissedAlarm> missed = model_.missedWhileClosed(*lastRun, now))
            noticeMissed(*missed);
    }
    stampRunRecord();
}

void AlarmController::stampRunRecord() {
    if (!platform_.runRecordFile.isEmpty())
        RunRecord(platform_.runRecordFile).stamp(platform_.clock->now().moment);
}

void AlarmController::noticeMissed(const MissedAlarm &missed) {
    if (platform_.notifier)
        platform_.notifier->notice(texts_.missedAlarm.arg(texts_.daytxt[missed.weekday].left(3),
                                                          timeText(missed.alarmTime).left(5)),
                                   model_.message());
}

// Each line is applied before the next is read; a short file stops at its first missing line
// and keeps what was applied.
StoredPlace AlarmController::applySettings(const QStringList &lines, const PlaceLimits &limits) {
    const auto line = [&lines](int n) -> std::optional<QString> {
        if (n > lines.size())
            return std::nullopt;
        return lines.at(n - 1);
    };
    StoredPlace place;
    // Without a stored alarm time the field keeps its harmless 00:00, so the switch must not
    // claim an error the field does not show.
    const auto stopShort = [this, &place] {
        setSwitchState(SwitchState::Off);
        return place;
    };

    // A number that names no language counts as English (-1 would choose none), also one too
    // large to read; an empty file still gets a language, so every control has its texts.
    const auto language = line(1);
    const int stored = roundedNumber(language.value_or(QString())).value_or(0);
    setLanguage(stored == -1 ? 0 : stored);
    if (!language)
        return stopShort();

    const auto soundAndState = line(2);
    if (!soundAndState)
        return stopShort();
    setSound(soundFromLine2(*soundAndState));
    if (windowStateFromLine2(*soundAndState).value_or(0) == 1)
        model_.minimiseAfterStart();

    // The upper bound first: on a screen smaller than the window the result is that bound.
    const auto topLine = line(3);
    if (!topLine)
        return stopShort();
    double top = finiteOrZero(leadingNumber(*topLine));
    const double maxTop = limits.maxTop - bottomMarginTwips;
    top = top > maxTop ? maxTop : std::max(top, 0.0);
    place.top = pixels(top);

    const auto leftLine = line(4);
    if (!leftLine)
        return stopShort();
    double left = finiteOrZero(leadingNumber(*leftLine));
    left = left > limits.maxLeft ? limits.maxLeft : std::max(left, 0.0);
    place.left = pixels(left);

    const auto weekdayLine = line(5);
    if (!weekdayLine)
        return stopShort();
    if (const int weekday = roundedNumber(*weekdayLine).value_or(0); isWeekdayEntry(weekday))
        setWeekday(weekday);

    const auto alarmLine = line(6);
    if (!alarmLine)
        return stopShort();
    // Parsed even when it equals the time already held, so a stored 00:00 arms the switch like
    // any other valid time.
    editAlarm(*alarmLine, static_cast<int>(alarmLine->size()));

    const auto messageLine = line(7);
    if (!messageLine)
        return place;
    setMessage(*messageLine);

    const auto captionLine = line(8);
    if (!captionLine)
        return place;
    // The caption alone used to decide nothing, so an alarm shown as switched off still rang.
    // A stored off caption now switches a valid alarm off; the caption then follows the state.
    const bool storedOff = std::any_of(
        platform_.languages.begin(), platform_.languages.end(),
        [&](const LanguageInfo &l) { return *captionLine == strings(l).main.stattxt[4]; });
    if (storedOff && model_.switchState() == SwitchState::Armed)
        setSwitchState(SwitchState::Off);
    return place;
}

SettingsData AlarmController::settings() const {
    SettingsData data;
    data.language = language_ ? QString::number(static_cast<int>(*language_)) : QString();
    data.sound = model_.sound();
    data.windowState = shape().state;
    data.top = place_.y();
    data.left = place_.x();
    data.weekday = model_.weekday();
    data.alarmText = model_.alarmText();
    data.message = model_.message();
    data.caption = switchCaption();
    return data;
}

void AlarmController::saveSettings(bool tellFailure) {
    QString error;
    if (!writeSettingsFile(platform_.settingsFile, encodeSettings(settings()), &error) &&
        tellFailure && !saveFailureShown_) {
        // Once a run: the tick retries every minute and must not stack up messages.
        saveFailureShown_ = true;
        emit saveFailed(texts_.saveFailed.arg(platform_.settingsFile, error));
    }
}

// A minute early, so the desktop is back and the alarm rings on time.
void AlarmController::scheduleWakeup() {
    if (!platform_.wake)
        return;
    const std::optional<QDateTime> next = model_.nextWake(platform_.clock->now());
    if (next)
        platform_.wake->setWakeup(next->toSecsSinceEpoch() - wakeLeadSeconds);
    else
        platform_.wake->clearWakeup();
}

void AlarmController::onResumed() {
    tick();
    tickTimer_->start(msUntilNextSecond(platform_.clock->now()));
    const ClockSample now = platform_.clock->now();
    if (const std::optional<QDateTime> next = model_.nextWake(now)) {
        const qint64 ahead = now.moment.secsTo(*next);
        // A lid closed again right after the wake-up must not take the alarm with it.
        if (ahead >= 0 && ahead < AlarmModel::resumeWindowSeconds)
            holdAwake(ahead + AlarmModel::keepAwakeSeconds);
    }
}

void AlarmController::holdAwake(qint64 forSeconds) {
    if (!platform_.sleep)
        return;
    platform_.sleep->hold(texts_.keepAwake);
    if (!awakeLimit_) {
        awakeLimit_ = new QTimer(this);
        awakeLimit_->setSingleShot(true);
        connect(awakeLimit_, &QTimer::timeout, this, &AlarmController::releaseAwake);
    }
    awakeLimit_->start(std::chrono::seconds(forSeconds));
}

void AlarmController::releaseAwake() {
    if (awakeLimit_)
        awakeLimit_->stop();
    if (platform_.sleep)
        platform_.sleep->release();
}

void AlarmController::stop() {
    stampRunRecord();
    if (platform_.wake)
        platform_.wake->clearWakeup();
    releaseAwake();
}
