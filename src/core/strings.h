#pragma once

#include <QString>
#include <array>

enum class Language { English = 0, Danish = 1 };

// Every text of the main window in one language.
struct MainTexts {
    QString frameCaption;
    QString hint; // the general hint, tool tip of the background
    QString frameTipPrefix, timeTipPrefix, dateTipPrefix, switchTipPrefix;
    QString alarmTimeTip, messageTip, dayTip;
    QString menuMin, soundWord, menuLanguage, menuHelp, menuAbout, menuExit;
    std::array<QString, 6> stattxt; // switch captions by state; 5 is the window title
    QString stp;                    // the exit question
    QString errtxt;                 // the faulty-alarm-time message
    QString helpFile;               // help page name, e.g. "VKhelp-en.html"
    // Shown when the help page cannot be opened; it ends in "\r\n" so the path follows directly.
    QString helpMissing;
    QString saveFailed;               // %1 the settings file, %2 why
    QString missedAlarm;              // %1 the weekday's three letters, %2 hh:mm
    QString lateNote;                 // %1 minutes
    QString keepAwake;                // why the machine must not sleep now
    std::array<QString, 8> daytxt;    // 0 every day, 1..7 Sunday..Saturday
    std::array<QString, 13> monthtxt; // 1..12
};

struct WelcomeTexts {
    QString title;     // Label1
    QString greeting;  // Label2, two lines
    QString helpVideo; // Command1 tag when the video is there
    QString noHelpVideo;
    QString helpVideoTip;
    QString languageTip;
};

struct AboutTexts {
    QString productName;
    QString closeCaption;
    QString greeting;
    QString haldorin;   // two lines
    QString adress;     // three lines
    QString norvakinfo; // two lines
    QString licenseTo;  // two lines
    QString copyTip;
};

struct StringTable {
    MainTexts main;
    WelcomeTexts welcome;
    AboutTexts about;
};

const StringTable &strings(Language language);

// "Sound ((o))": the sound item always carries the mark; its check mark tells the state.
QString soundCaption(const MainTexts &texts);

// "Version 1.0.1 for Linux", the same in both languages
QString platformLine(const QString &vers);

// The program's version as "major.minor.revision".
QString versionText();

// The weekday list: entry 0 whole, then the first three characters of each weekday.
std::array<QString, 8> weekdayEntries(const MainTexts &texts);
