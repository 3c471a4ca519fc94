#include "ui/alarmcontroller.h"

#include "core/catalogs.h"
#include "core/clocktexts.h"
#include "core/settingscodec.h"
#include "platform/alarmnotifier.h"
#include "platform/attention.h"
#include "platform/clock.h"
#include "platform/help.h"
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
    return qRound(twips / Twips::perPixel);
}
} // namespace

AlarmController::AlarmController(const Platform &platform, QObject *parent)
    : QObject(parent), m_platform(platform) {
    connect(&m_model, &AlarmModel::switchStateChanged, this, &AlarmController::onSwitchChanged);
    connect(&m_model, &AlarmModel::nextWakeChanged, this, &AlarmController::followNextWake);
    connect(&m_model, &AlarmModel::weekdayChanged, this, [this](int entry) {
        m_recordDue = true;
        emit weekdayChanged(entry);
    });
    if (m_platform.sleep)
        connect(m_platform.sleep, &SleepInhibitor::resumed, this, &AlarmController::onResumed);
    if (AlarmNotifier *notifier = m_platform.notifier) {
        connect(notifier, &AlarmNotifier::stopRequested, this, [this] {
            if (m_model.switchState() == SwitchState::Ringing)
                clickSwitch();
        });
        connect(notifier, &AlarmNotifier::snoozeRequested, this,
                [this] { m_model.snooze(m_platform.clock->now().moment); });
        connect(notifier, &AlarmNotifier::cancelSnoozeRequested, &m_model,
                &AlarmModel::cancelSnooze);
        connect(notifier, &AlarmNotifier::showRequested, this, &AlarmController::showRequested);
    }

    // Re-armed at every tick for the next whole second, so the display never drifts.
    m_tickTimer = new QTimer(this);
    m_tickTimer->setObjectName(QStringLiteral("tickTimer"));
    m_tickTimer->setSingleShot(true);
    m_tickTimer->setTimerType(Qt::PreciseTimer);
    connect(m_tickTimer, &QTimer::timeout, this, [this] {
        tick();
        m_tickTimer->start(msUntilNextSecond(m_platform.clock->now()));
    });
    m_tickTimer->start(msUntilNextSecond(m_platform.clock->now()));
}

WindowShape AlarmController::shape() const {
    return m_shape ? m_shape() : WindowShape{};
}

void AlarmController::tick() {
    // One sample: the date and weekday always belong to the same instant as the time.
    m_now = m_platform.clock->now();
    const WindowShape window = shape();
    const bool normal = window.state == WindowState::Normal;
    if (normal)
        m_place = window.topLeft;
    const TickOutcome out = m_model.tick(m_now, normal, [this] {
        QString message;
        if (saveSettings(&message)) {
            m_saveFailing = false;
        } else if (!m_saveFailing) {
            // Once for a run of failures: the tick retries every minute and must not stack up
            // messages.
            m_saveFailing = true;
            emit saveFailed(message);
        }
    });

    TickView view;
    view.minimise = out.minimise;
    view.time = timeText(m_now.wholeSeconds());
    if (out.refreshDate)
        view.date = dateLine(m_language, m_texts, m_now.date);
    if (out.missed)
        noticeMissed(*out.missed);
    if (out.fired && m_platform.notifier) {
        QString body = notificationBody();
        if (out.lateMinutes > 0)
            body += QLatin1Char('\n') + m_texts.lateNote.arg(out.lateMinutes);
        m_platform.notifier->showRinging(ringingTitle(), body);
    }
    if (!m_soundReady && m_model.sound() && m_model.nextWake() &&
        m_now.moment.secsTo(*m_model.nextWake()) <= soundLeadSeconds) {
        m_soundReady = true;
        m_platform.attention->prepareBeep();
    }
    if (out.beep)
        m_platform.attention->beep();
    if (m_recordDue)
        stampRunRecord();
    view.ringing = out.ringing;
    view.attention = out.attention;
    view.inverted = out.inverted;
    view.refresh = out.refresh;
    emit ticked(view);
}

QString AlarmController::notificationBody() const {
    if (!m_model.message().trimmed().isEmpty())
        return m_model.message();
    return m_texts.weekdayNames[m_now.weekday()] + QLatin1Char(' ') + m_model.alarmText();
}

QString AlarmController::switchCaption() const {
    const std::optional<SwitchState> state = m_model.switchState();
    // Until the first language the switch keeps the caption it was made with.
    return state ? ::switchCaption(m_texts, *state, m_model.sound()) : QStringLiteral("Off");
}

QString AlarmController::title() const {
    return m_texts.windowTitle;
}

QString AlarmController::minimisedTitle() const {
    return minimisedCaption(m_texts, m_model, m_now);
}

QString AlarmController::ringingTitle() const {
    return m_texts.frameCaption + QStringLiteral(" !!!");
}

void AlarmController::onSwitchChanged(SwitchState state, std::optional<SwitchState> before) {
    m_recordDue = true;
    if (state == SwitchState::Ringing && before != SwitchState::Ringing) {
        // The machine stays awake for the ringing, not for the wake-up that led to it.
        m_holdForWake = false;
        holdAwake(AlarmModel::keepAwakeSeconds);
    } else if (before == SwitchState::Ringing && state != SwitchState::Ringing) {
        if (m_platform.notifier)
            m_platform.notifier->withdrawRinging();
        releaseAwake();
    }
    emit switchChanged(switchCaption());
}

// Everything that follows from what rings next, in one place: a new source of change only has to
// move the model's moment.
void AlarmController::followNextWake(const std::optional<QDateTime> &moment) {
    // A minute early, so the desktop is back and the alarm rings on time.
    if (m_platform.wake) {
        if (moment)
            m_platform.wake->setWakeup(moment->toSecsSinceEpoch() - wakeLeadSeconds);
        else
            m_platform.wake->clearWakeup();
    }
    if (m_holdForWake && m_model.switchState() != SwitchState::Ringing) {
        const qint64 ahead = moment ? m_now.moment.secsTo(*moment) : -1;
        if (ahead >= 0 && ahead < AlarmModel::resumeWindowSeconds) {
            holdAwake(ahead + AlarmModel::keepAwakeSeconds);
        } else {
            m_holdForWake = false;
            releaseAwake();
        }
    }
    showSnooze();
    emit nextWakeChanged();
}

void AlarmController::showSnooze() {
    const std::optional<QDateTime> snooze = m_model.snoozedUntil();
    if (snooze == m_snoozeShown || !m_platform.notifier)
        return;
    m_snoozeShown = snooze;
    if (snooze)
        m_platform.notifier->showSnoozed(
            m_texts.snoozedUntil.arg(snooze->toLocalTime().toString(QStringLiteral("HH:mm"))),
            notificationBody());
    else
        m_platform.notifier->withdrawSnoozed();
}

void AlarmController::setSwitchState(SwitchState state) {
    m_model.setSwitchState(state);
}

bool AlarmController::clickSwitch() {
    return m_model.clickSwitch() == SwitchClick::ShowError;
}

void AlarmController::setSound(bool on) {
    m_model.setSound(on);
    if (m_model.switchState() == SwitchState::Armed)
        setSwitchState(SwitchState::Armed); // the caption carries the sound mark
    emit soundChanged(on);
}

void AlarmController::setWeekday(int entry) {
    m_model.setWeekday(entry);
}

AlarmTextResult AlarmController::editAlarm(const QString &text, int caret) {
    const AlarmTextResult result = normaliseAlarmText(text, caret);
    if (result.changed)
        m_model.markChanged();
    m_model.setAlarm(result.text, result.alarmTime);
    emit alarmTextChanged(result.text, result.alarmTime.has_value());
    return result;
}

void AlarmController::setMessage(const QString &text) {
    // A longer one could not be read back whole.
    const QString message = text.left(maxMessageLength);
    m_model.setMessage(message);
    emit messageChanged(message);
}

void AlarmController::setLanguage(int index) {
    if (index == -1)
        return;
    // A number outside the list (a damaged settings file) counts as English.
    const int i = index > 0 && index < m_platform.languages.size() ? index : 0;
    const LanguageInfo &language = m_platform.languages.at(i);
    m_language = Language(i);
    if (!m_catalogs)
        m_catalogs = new Catalogs(this);
    if (!m_catalogs->install(language))
        qWarning("vekora: no catalog for language \"%s\"; the texts stay English",
                 qUtf8Printable(language.code));
    const StringTable table = currentStrings();
    m_texts = table.main;
    m_programName = table.welcome.title;
    if (m_platform.notifier)
        m_platform.notifier->setLabels({m_texts.ringingCaption, m_texts.snoozeAction,
                                        m_texts.cancelSnooze, m_texts.showAlarm});
    m_helpPath = helpFilePath(m_platform.dataFolder, language);
    setSwitchState(m_model.switchState().value_or(SwitchState::Error));
    // The weekday list is filled anew and has no "none" entry selected afterwards.
    m_model.setWeekday(std::max(m_model.weekday(), 0));
    // A snooze on the screen speaks the new language too.
    if (m_snoozeShown) {
        m_snoozeShown.reset();
        showSnooze();
    }
    emit languageChanged();
    m_model.markChanged();
}

std::optional<StoredPlace> AlarmController::loadSettings(const PlaceLimits &limits) {
    QString problem;
    const std::optional<QByteArray> bytes = readSettingsFile(m_platform.settingsToRead(), &problem);
    if (!problem.isEmpty())
        emit readFailed(
            m_texts.readFailed.isEmpty()
                ? currentStrings().main.readFailed.arg(m_platform.settingsToRead(), problem)
                : m_texts.readFailed.arg(m_platform.settingsToRead(), problem));
    // An empty file is what a crash or a full disk leaves behind: start as if there were none.
    if (!bytes || bytes->isEmpty())
        return std::nullopt;
    const StoredPlace place = applySettings(decodeSettingsLines(*bytes), limits);
    reportMissedWhileClosed();
    return place;
}

// Left as a notice, not rung: the program may have been closed on purpose.
void AlarmController::reportMissedWhileClosed() {
    if (m_platform.runRecordFile.isEmpty())
        return;
    const std::optional<QDateTime> lastRun = RunRecord(m_platform.runRecordFile).lastRun();
    if (!lastRun)
        return;
    const ClockSample now = m_platform.clock->now();
    if (const std::optional<MissedAlarm> missed = m_model.missedWhileClosed(*lastRun, now))
        noticeMissed(*missed);
}

// The next start tells of an alarm that fell after this moment; written when what that check
// reads changes (and at start and exit), so a run killed at any moment leaves no false notice,
// and never while nothing happens.
void AlarmController::stampRunRecord() {
    m_recordDue = false;
    if (m_platform.runRecordFile.isEmpty())
        return;
    QString error;
    if (!RunRecord(m_platform.runRecordFile).stamp(m_platform.clock->now().moment, &error) &&
        !m_recordFailureSaid) {
        m_recordFailureSaid = true;
        qWarning("vekora: cannot keep the run record %s (%s); an alarm missed while Vekora is "
                 "closed will not be told at the next start",
                 qUtf8Printable(m_platform.runRecordFile), qUtf8Printable(error));
    }
}

void AlarmController::noticeMissed(const MissedAlarm &missed) {
    m_recordDue = true;
    if (m_platform.notifier)
        m_platform.notifier->notice(
            m_texts.missedAlarm.arg(m_texts.weekdayNames[missed.weekday].left(3),
                                    timeText(missed.alarmTime).left(5)),
            m_model.message());
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
    if (windowStateFromLine2(*soundAndState) == static_cast<int>(WindowState::Minimised))
        m_model.minimiseAfterStart();

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
        m_platform.languages.begin(), m_platform.languages.end(),
        [&](const LanguageInfo &l) { return *captionLine == strings(l).main.offCaption; });
    if (storedOff && m_model.switchState() == SwitchState::Armed)
        setSwitchState(SwitchState::Off);
    return place;
}

SettingsData AlarmController::settings() const {
    SettingsData data;
    data.language = m_language ? QString::number(static_cast<int>(*m_language)) : QString();
    data.sound = m_model.sound();
    data.windowState = shape().state;
    data.top = m_place.y();
    data.left = m_place.x();
    data.weekday = m_model.weekday();
    data.alarmText = m_model.alarmText();
    data.message = m_model.message();
    data.caption = switchCaption();
    return data;
}

bool AlarmController::saveSettings(QString *message) {
    QString error;
    if (writeSettingsFile(m_platform.settingsFile, encodeSettings(settings()), &error))
        return true;
    if (message) {
        const QString frame =
            m_texts.saveFailed.isEmpty() ? currentStrings().main.saveFailed : m_texts.saveFailed;
        *message = frame.arg(m_platform.settingsFile, error);
    }
    return false;
}

void AlarmController::onResumed() {
    tick();
    m_tickTimer->start(msUntilNextSecond(m_platform.clock->now()));
    // A lid closed again right after the wake-up must not take the alarm with it.
    if (const std::optional<QDateTime> next = m_model.nextWake()) {
        const qint64 ahead = m_now.moment.secsTo(*next);
        if (m_model.switchState() != SwitchState::Ringing && ahead >= 0 &&
            ahead < AlarmModel::resumeWindowSeconds) {
            m_holdForWake = true;
            holdAwake(ahead + AlarmModel::keepAwakeSeconds);
        }
    }
}

void AlarmController::holdAwake(qint64 forSeconds) {
    if (!m_platform.sleep)
        return;
    m_platform.sleep->hold(m_texts.keepAwake);
    if (!m_awakeLimit) {
        m_awakeLimit = new QTimer(this);
        m_awakeLimit->setSingleShot(true);
        connect(m_awakeLimit, &QTimer::timeout, this, [this] {
            m_holdForWake = false;
            releaseAwake();
        });
    }
    m_awakeLimit->start(std::chrono::seconds(forSeconds));
}

void AlarmController::releaseAwake() {
    if (m_awakeLimit)
        m_awakeLimit->stop();
    if (m_platform.sleep)
        m_platform.sleep->release();
}

void AlarmController::stop() {
    stampRunRecord();
    if (m_platform.wake)
        m_platform.wake->clearWakeup();
    if (m_platform.notifier && m_snoozeShown)
        m_platform.notifier->withdrawSnoozed();
    m_holdForWake = false;
    releaseAwake();
}
