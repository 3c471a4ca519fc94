#pragma once

#include "core/alarmmodel.h"
#include "core/alarmtext.h"
#include "core/settingscodec.h"
#include "core/strings.h"
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
    int state = 0;  // 0 normal, 1 minimised, 2 maximised
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
// saves the settings, asks the system to wake the machine, holds it awake while the alarm rings,
// posts the notifications and sounds the alarm. The main window shows what this says and hands
// it the user's edits.
class AlarmController : public QObject {
    Q_OBJECT
public:
    // The system is asked to wake the machine this long before the alarm, so the desktop is
    // back and the alarm rings on time.
    static constexpr int wakeLeadSeconds = 60;
    // A stored top is kept this far above the screen's bottom edge, room for a task bar.
    static constexpr int bottomMarginTwips = 324;

    AlarmController(const Platform &platform, QObject *parent = nullptr);

    const AlarmModel &model() const { return model_; }
    std::optional<Language> language() const { return language_; }
    const MainTexts &texts() const { return texts_; }
    QString helpPath() const { return helpPath_; }

    // The main window tells where it is; asked at every tick.
    void setWindowShape(std::function<WindowShape()> shape) { shape_ = std::move(shape); }
    // Runs the tick once; the timer does so just after every whole second.
    void tick();

    // The settings file onto the model; answers where the window goes, or nothing when there
    // are no settings: a first start.
    std::optional<StoredPlace> loadSettings(const PlaceLimits &limits);
    // The model and the window's place as the file's eight lines hold them.
    SettingsData settings() const;
    // tellFailure false: nobody is there to read a message.
    void saveSettings(bool tellFailure = true);

    // The user's edits.
    void setLanguage(int index);
    void setSound(bool on);
    void setSwitchState(SwitchState state);
    bool clickSwitch(); // true: the alarm time cannot be read, the user is to be told
    void setWeekday(int entry);
    AlarmTextResult editAlarm(const QString &text, int caret);
    void setMessage(const QString &text);
    void markChanged() { model_.markChanged(); }
    void markSaveDue() { model_.markSaveDue(); }

    // What the switch shows: the settings file stores exactly this.
    QString switchCaption() const;
    // The window's title while not ringing, in normal state and minimised.
    QString title() const;
    QString minimisedTitle() const;
    QString ringingTitle() const;

    // Leaving: nothing of ours may wake the machine or keep it awake any more.
    void stop();

signals:
    void languageChanged();
    void switchChanged(const QString &caption);
    void soundChanged(bool on);
    void weekdayChanged(int entry);
    void alarmTextChanged(const QString &text, bool readable);
    void messageChanged(const QString &text);
    void ticked(const TickView &view);
    void saveFailed(const QString &message);

private:
    StoredPlace applySettings(const QStringList &lines, const PlaceLimits &limits);
    void onSwitchChanged(SwitchState state, std::optional<SwitchState> before);
    void scheduleWakeup();
    void reportMissedWhileClosed();
    void stampRunRecord();
    void noticeMissed(const MissedAlarm &missed);
    void onResumed();
    void holdAwake(qint64 forSeconds);
    void releaseAwake();
    QString notificationBody() const;
    WindowShape shape() const;

    Platform platform_;
    AlarmModel model_;
    QTimer *tickTimer_ = nullptr;
    QTimer *awakeLimit_ = nullptr; // lets the machine sleep again, at the latest
    std::function<WindowShape()> shape_;
    ClockSample now_;
    QPoint place_; // twips, as last seen in normal state
    std::optional<Language> language_;
    MainTexts texts_;
    Catalogs *catalogs_ = nullptr;
    QString helpPath_;
    bool saveFailureShown_ = false; // a failed save is told once a run, not every minute
};
