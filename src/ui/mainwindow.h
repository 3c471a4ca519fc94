#pragma once

#include "platform/platform.h"

#include <QPalette>
#include <QPointer>
#include <QWidget>

class AboutWindow;
class AlarmController;
class DayBox;
class GeneralMenu;
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

    AlarmController &controller() const { return *controller_; }
    QMenu *generalMenu() const;
    AboutWindow *aboutWindow();

    void minimise();
    void showAbout();
    void openHelp(const QString &anchor = {});
    // The menu's Exit: saves, then asks.
    void exitAsked();
    // Another start of the program asked for this copy: restore, raise and activate it.
    void showAgain();

public slots:
    // The session ends (logout, shutdown, a signal): save now and quit without asking.
    void saveAndQuit();

signals:
    // Yes to the exit question: the program ends at once.
    void quitRequested();

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
    void fitFonts();
    void switchClicked();
    bool askExit(); // true for Yes
    void quit();
    bool isNormalState() const;

    Platform platform_;
    AlarmController *controller_ = nullptr;
    GeneralMenu *menu_ = nullptr;

    QLabel *background_ = nullptr; // receives the clicks on the window itself
    QLabel *dateLine_ = nullptr;
    QLabel *timeDisplay_ = nullptr;
    QGroupBox *alarmFrame_ = nullptr;
    DayBox *weekdayBox_ = nullptr;
    QLineEdit *alarmField_ = nullptr;
    QPushButton *alarmSwitch_ = nullptr;
    QLineEdit *messageField_ = nullptr;
    QPalette alarmFieldPalette_;
    QPointer<WelcomeWindow> welcomeWindow_;
    QPointer<AboutWindow> aboutWindow_;

    QString videoAvail_;
    QString shownDate_;
    QSize lockedSize_;
    // The alarm time cannot be read: the field is light red and says so to screen readers.
    bool alarmFieldInvalid_ = false;
    bool timeInverted_ = false;
    bool quitting_ = false; // Yes was answered: no second question while the windows close
};
