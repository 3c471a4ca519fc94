#pragma once

#include "core/alarmmodel.h"
#include "core/alarmtext.h"
#include "core/settingscodec.h"
#include "core/strings.h"
#include "core/windowstate.h"
#include "platform/platform.h"

#include <QObject>
#include <QPoint>
#include <QStringList>
#include <functional>
#include <optional>

class Catalogs;
class QTimer;

// Where the main window is and how it is shown, in the terms the settings file uses.
struct WindowShape {
    WindowState state = WindowState::Normal;
    QPoint topLeft; // the frame's top left corner, twips
};

// The furthest a stored place may go so the window stays on screen: the screen less the
// window, twips.
struct PlaceLimits {
    double maxTop = 0;
    double maxLeft = 0;
};

// Where the settings put the window, pixels; a file cut after the top line has no left.
struct StoredPlace {
    std::optional<int> top;
    std::optional<int> left;
};

// What one tick asks the main window to show.
struct TickView {
    bool minimise = false;       // the delayed minimise of a window stored minimised
    QString time;                // hh:mm:ss
    std::optional<QString> date; // the date line anew
    bool ringing = false;        // restored, marked " !!!" in the title
    bool attention = false;      // brought to the front, Num Lock blinked
    bool inverted = false;       // the time display in inverted colours
    bool refresh = false;        // not ringing and something changed: colours and title anew
};

// Everything about the alarm that is not a widget: it owns the model, runs the tick, loads and
// saves the settings and keeps the run record. It follows what the model says rings next: asks
// the system to wake the machine for it, holds the machine awake around it, shows a pending snooze
// and posts the alarm's notifications. The main window shows what this says and hands it the
// user's edits.
class AlarmController : public QObject {
    Q_OBJECT
public:
    // The system is asked to wake the machine this long before the alarm, so the desktop is
    // back and the alarm rings on time.
    static constexpr int wakeLeadSeconds = 60;
    // The sound is made ready this long before what rings next, so it is heard on the alarm's
    // second; never at start, as most runs never ring.
    static constexpr int soundLeadSeconds = 60;
    // A stored top is kept this far above the screen's bottom edge, room for a task bar.
    static constexpr int bottomMarginTwips = 324;

    AlarmController(const Platform &platform, QObject *parent = nullptr);

    const AlarmModel &model() const { return m_model; }
    std::optional<Language> language() const { return m_language; }
    const MainTexts &texts() const { return m_texts; }
    QString helpPath() const { return m_helpPath; }
    // The program's name in the current language: the title of its message boxes.
    QString programName() const { return m_programName; }

    // The main window tells where it is; asked at every tick.
    void setWindowShape(std::function<WindowShape()> shape) { m_shape = std::move(shape); }
    // Runs the tick once; the timer does so just after every whole second.
    void tick();

    // The settings file onto the model; answers where the window goes, or nothing when there
    // are no settings: a first start.
    std::optional<StoredPlace> loadSettings(const PlaceLimits &limits);
    // The model and the window's place as the file's eight lines hold them.
    SettingsData settings() const;
    // Writes the settings now. False when they could not be written, with what to tell the user
    // in `message`; the old file is then left as it was.
    bool saveSettings(QString *message = nullptr);

    // The user's edits.
    void setLanguage(int index);
    void setSound(bool on);
    void setSwitchState(SwitchState state);
    bool clickSwitch(); // true: the alarm time cannot be read, the user is to be told
    void setWeekday(int entry);
    AlarmTextResult editAlarm(const QString &text, int caret);
    void setMessage(const QString &text);
    void markChanged() { m_model.markChanged(); }
    void markSaveDue() { m_model.markSaveDue(); }

    // What the switch shows: the settings file stores exactly this.
    QString switchCaption() const;
    // The window's title while not ringing, in normal state and minimised.
    QString title() const;
    QString minimisedTitle() const;
    QString ringingTitle() const;

    // Leaving: nothing of ours may wake the machine, keep it awake or stay on the screen.
    void stop();

signals:
    void languageChanged();
    void switchChanged(const QString &caption);
    void soundChanged(bool on);
    void weekdayChanged(int entry);
    void alarmTextChanged(const QString &text, bool readable);
    void messageChanged(const QString &text);
    void ticked(const TickView &view);
    // What rings next moved: the minimised title names it.
    void nextWakeChanged();
    // A save on the minute failed, the first of a run of failures; a later success ends the run.
    void saveFailed(const QString &message);
    // The settings file is there but could not be read; the program starts afresh.
    void readFailed(const QString &message);
    // The user clicked the ringing alarm's notification.
    void showRequested(const QString &activationToken);

private:
    StoredPlace applySettings(const QStringList &lines, const PlaceLimits &limits);
    void onSwitchChanged(SwitchState state, std::optional<SwitchState> before);
    void followNextWake(const std::optional<QDateTime> &moment);
    void showSnooze();
    void reportMissedWhileClosed();
    void stampRunRecord();
    void noticeMissed(const MissedAlarm &missed);
    void onResumed();
    void holdAwake(qint64 forSeconds);
    void releaseAwake();
    QString notificationBody() const;
    WindowShape shape() const;

    Platform m_platform;
    AlarmModel m_model;
    QTimer *m_tickTimer = nullptr;
    QTimer *m_awakeLimit = nullptr; // lets the machine sleep again, at the latest
    std::function<WindowShape()> m_shape;
    ClockSample m_now;
    QPoint m_place; // twips, as last seen in normal state
    std::optional<Language> m_language;
    MainTexts m_texts;
    QString m_programName = QStringLiteral("Vekora");
    Catalogs *m_catalogs = nullptr;
    QString m_helpPath;
    bool m_saveFailing = false; // told once for a run of failed saves
    bool m_holdForWake = false; // woken just before what rings next, held awake for it
    bool m_recordDue = false;   // something the next start's missed-alarm check reads changed
    bool m_recordFailureSaid = false;
    bool m_soundReady = false;
    std::optional<QDateTime> m_snoozeShown; // the pending snooze its notification tells of
};
