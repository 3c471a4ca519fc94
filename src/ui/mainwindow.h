#pragma once

#include "platform/platform.h"

#include <QPalette>
#include <QPointer>
#include <QWidget>

class AboutWindow;
class AlarmController;
class DayBox;
class GeneralMenu;
class NumLockBlinker;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class WelcomeWindow;
struct TickView;

// The main window: a date line, the running time and the alarm frame. It lays out the controls,
// shows what the controller says and hands the user's edits to it.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(const Platform &platform, QWidget *parent = nullptr);

    // The start: the settings, or the welcome window on a first start, the About draw, one tick.
    void start();

    AlarmController &controller() const { return *m_controller; }
    QMenu *generalMenu();
    AboutWindow *aboutWindow();

    void minimise();
    void showAbout();
    void openHelp(const QString &anchor = {});
    // The menu's Exit: saves, then asks; a save that failed is said in the question.
    void exitAsked();
    // Another start of the program asked for this copy: restore, raise and activate it.
    void showAgain();

public slots:
    // The session ends (logout, shutdown, a signal): save now and quit without asking.
    void saveAndQuit();

signals:
    // Yes to the exit question, or the session's end: the program ends at once with this status
    // (1 when the settings could not be saved on the way out).
    void quitRequested(int status);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void createControls();
    void connectController();
    void showAboutModal();
    void showTick(const TickView &view);
    void showLanguage();
    void showAlarmText(const QString &text, bool readable);
    void describeAlarmField();
    void showTimeDisplay(bool inverted);
    void showMinimisedTitle();
    void fitFonts();
    // The menu key and Shift+F10 open the general menu below the focused control.
    void openMenuBelow(QWidget *control);
    void switchClicked();
    void tell(const QString &text);
    // The exit question, after a save; a save that failed is said first. Yes quits.
    void askExit(bool saved, const QString &failure);
    void quit(int status = 0);
    bool isNormalState() const;

    Platform m_platform;
    AlarmController *m_controller = nullptr;
    GeneralMenu *m_menu = nullptr; // made when first opened
    NumLockBlinker *m_numLock = nullptr; // made at the first ringing

    QLabel *m_background = nullptr; // receives the clicks on the window itself
    QLabel *m_dateLine = nullptr;
    QLabel *m_timeDisplay = nullptr;
    QGroupBox *m_alarmFrame = nullptr;
    DayBox *m_weekdayBox = nullptr;
    QLineEdit *m_alarmField = nullptr;
    QPushButton *m_alarmSwitch = nullptr;
    QLineEdit *m_messageField = nullptr;
    QPalette m_alarmFieldPalette;
    QPointer<WelcomeWindow> m_welcomeWindow;
    QPointer<AboutWindow> m_aboutWindow;
    QPointer<QWidget> m_exitQuestion;

    QString m_videoAvail;
    QString m_shownDate;
    QSize m_lockedSize;
    // The alarm time cannot be read: the field is light red and says so to screen readers.
    bool m_alarmFieldInvalid = false;
    bool m_timeInverted = false;
    bool m_quitting = false; // the program is ending: no second question while the windows close
};
