#pragma once

#include "core/strings.h"
#include "core/switchstate.h"
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

// The main window: a date line, the running time and the alarm frame. It owns all state that
// outlives one event; handlers only change state and set chg/chg1, the once-a-second tick acts.
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
    void GemIni();

    static double rangetest(double &a, double b);

    // Read access for the other windows and the tests.
    int alarmTime() const { return AlarmTime; }
    std::optional<SwitchState> switchState() const { return switchState_; }
    std::optional<Language> language() const { return language_; }
    QString helpPath() const { return helpPath_; }
    QString videoAvail() const { return VideoAvail; }
    bool changed() const { return chg; }
    bool saveDue() const { return chg1; }
    bool soundOn() const;
    QMenu *generalMenu() const { return menuPopUp; }
    FrmSplash *aboutWindow();
    FrmInit *welcomeWindow() const { return frmInit; }
    QPoint storedPosition() const { return {pLeft, pTop}; }

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
    void setTimeDisplayNormal();
    void invertTimeDisplay();
    void applyAccessibleNames();
    void fitFonts();
    bool askExit(); // the exit question, true for Yes
    bool isNormalState() const;
    void onTimer1();
    QString notificationBody(const ClockSample &now) const;

    Platform platform_;

    // Controls.
    QTimer *Timer1 = nullptr;
    QGroupBox *Frame1 = nullptr;
    QComboBox *cboDay = nullptr;
    QLineEdit *txtAlrm = nullptr;
    QPushButton *CmdStop = nullptr;
    QLineEdit *txtMsg = nullptr;
    QLabel *Label0 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QPalette alarmFieldPalette;

    // The general menu.
    QMenu *menuPopUp = nullptr;
    QAction *menuMin = nullptr;
    QAction *menuSound = nullptr;
    QMenu *menuLanguage = nullptr;
    QList<QAction *> menulang; // one per language, in list order
    QAction *menuHelp = nullptr;
    QAction *menuAbout = nullptr;
    QAction *menuExit = nullptr;

    QPointer<FrmInit> frmInit;
    QPointer<FrmSplash> frmSplash;

    // State of the window, named as in the rest of the program.
    int AlarmTime = 0;
    bool chg = false;
    bool chg1 = false;
    int pTop = 0;
    int pLeft = 0;
    int winstate = 0;
    int winstateN = 0;
    int freq = 15;
    QString VideoAvail;
    QString lyd;
    QString stp;
    QString errtxt;
    QString vers;
    MainTexts texts_; // stattxt, daytxt, monthtxt and the rest of the current language
    std::optional<SwitchState> switchState_;
    std::optional<Language> language_;
    Catalogs *catalogs_ = nullptr;
    QString helpPath_;
    QSize lockedSize;
    bool quitting = false; // Yes was answered: no second question while the windows close
    // The alarm minute that last rang and its day: a repeated hour must not ring it again.
    std::optional<std::pair<QDate, int>> lastFiring;
};
