#pragma once

#include "core/alarmmodel.h"
#include "core/strings.h"
#include "platform/clock.h"
#include "platform/platform.h"
#include "ui/frminit.h"
#include "ui/frmsplash.h"

#include <QDate>
#include <QPalette>
#include <QPointer>
#include <QWidget>
#include <array>
#include <optional>

class Catalogs;
class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTimer;

// The main window: a date line, the running time and the alarm frame. The alarm and what each
// tick means live in the model; the window feeds it the user's edits and shows its answers.
class Form1 : public QWidget {
    Q_OBJECT
public:
    explicit Form1(const Platform &platform, QWidget *parent = nullptr);

    // The start-up: settings, first-start windows, the About draw, one tick.
    void Form_Load();

    // Handlers and procedures other windows and the tests reach.
    void Timer1_Timer();
    void menuLang_Click(int index);
    void SetCmdStop(SwitchState state);
    void CmdStop_Click();
    void cboDay_Click();
    void txtAlrm_Change();
    void menuHelp_Click();
    void menuAbout_Click();
    void menuSound_Click();
    void mLyd(bool sound);
    void menuMin_Click();
    void ToMin();
    void menuExit_Click();
    void GemIni(bool tellFailure = true); // false: nobody is there to read a message

    static double rangetest(double &a, double b);

    // Another start of the program asked for this copy: restore, raise and activate it.
    void showAgain();
    // Keeps the whole framed window on screen, now and once the window manager has framed it.
    void keepWholeOnScreen();

    // Read access for the other windows and the tests.
    const AlarmModel &model() const { return model_; }
    std::optional<Language> language() const { return language_; }
    QString helpPath() const { return helpPath_; }
    QMenu *generalMenu() const { return menuPopUp; }
    FrmSplash *aboutWindow();

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
    void createMenu();
    void Form_Resize();
    bool readSettings(); // false: no settings file, a first start
    void applySettingsLines(const QStringList &lines);
    void showAboutModal();
    void showGeneralMenu(const QPoint &globalPos);
    void cboDay_KeyDown(int key);
    void openHelpPage(const QString &anchor);
    void showSwitch(SwitchState state, std::optional<SwitchState> before);
    void showTimeDisplay(bool inverted);
    void ring(const ClockSample &now, const TickOutcome &out);
    void applyAccessibleTexts();
    void describeAlarmField();
    void fitFonts();
    bool askExit(); // the exit question, true for Yes
    void quit();
    bool isNormalState() const;
    void onTimer1();
    // Waking the machine for the alarm and keeping it awake while it rings.
    void scheduleWakeup();
    void onResumed();
    void holdAwake(qint64 forSeconds);
    void releaseAwake();
    QString notificationBody(const ClockSample &now) const;

    Platform platform_;

    // Controls.
    QTimer *Timer1 = nullptr;
    QTimer *awakeLimit = nullptr; // lets the machine sleep again, at the latest
    QGroupBox *Frame1 = nullptr;
    QComboBox *cboDay = nullptr;
    QLineEdit *txtAlrm = nullptr;
    QPushButton *CmdStop = nullptr;
    QLineEdit *txtMsg = nullptr;
    QLabel *Label0 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QPalette alarmFieldPalette;
    // The alarm time cannot be read: the field is light red and says so to screen readers.
    bool alarmFieldInvalid = false;

    // The general menu.
    QMenu *menuPopUp = nullptr;
    QAction *menuMin = nullptr;
    QAction *menuSound = nullptr;
    QMenu *menuLanguage = nullptr;
    QList<QAction *> menulang; // one per language, in list order
    QAction *menuHelp = nullptr;
    QAction *menuAbout = nullptr;
    QAction *menuExit = nullptr;
    QAction *menuAutostart = nullptr; // start with the desktop, below Language
    void createAutostartItem();
    void applyAutostartTexts();
    void menuAutostart_Click(bool checked);

    QPointer<FrmInit> frmInit;
    QPointer<FrmSplash> frmSplash;

    AlarmModel model_;

    // State of the window itself.
    int pTop = 0; // the position last seen in normal state, twips
    int pLeft = 0;
    int freq = 15;
    QString VideoAvail;
    MainTexts texts_; // stattxt, daytxt, monthtxt and the rest of the current language
    std::optional<Language> language_;
    Catalogs *catalogs_ = nullptr;
    QString helpPath_;
    QSize lockedSize;
    bool timeInverted = false;
    bool saveFailureShown = false; // a failed save is told once a run, not every minute
    bool quitting = false;         // Yes was answered: no second question while the windows close
};
