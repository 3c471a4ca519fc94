#pragma once

#include "core/languages.h"

#include <QString>
#include <array>

class QTranslator;

// Every text of the main window in one language.
struct MainTexts {
    QString windowTitle;
    QString frameCaption;
    QString hint; // the general hint, tool tip of the background
    // Tool tips composed with the hint: "%1" stands for the hint.
    QString frameTip, timeTip, dateTip, switchTip;
    QString alarmTimeTip, messageTip, dayTip;
    // What screen readers call the two fields and the weekday list.
    QString alarmTimeName, messageName, dayName;
    QString menuMin, soundMenu, menuLanguage, menuHelp, menuAbout, menuExit;
    // The switch's captions by state; switchCaption() picks one.
    QString errorCaption, ringingCaption, armedCaption, offCaption;
    QString exitQuestion;
    QString alarmTimeError;              // the switch clicked while the alarm time cannot be read
    QString helpMissing;                 // "%1" stands for the help page's path
    QString saveFailed;                  // %1 the settings file, %2 why
    QString readFailed;                  // %1 the settings file, %2 why
    QString missedAlarm;                 // %1 the weekday's three letters, %2 hh:mm
    QString lateNote;                    // %1 minutes
    QString snoozeAction;                // the notification's button that rings again later
    QString snoozedUntil;                // %1 hh:mm
    QString cancelSnooze;                // the snooze notification's button
    QString showAlarm;                   // a click on the ringing notification
    QString keepAwake;                   // why the machine must not sleep now
    std::array<QString, 8> weekdayNames; // 0 every day, 1..7 Sunday..Saturday
    std::array<QString, 13> monthNames;  // 1..12
    // The date line: %1 weekday, %2 month, %3 day of the month, %4 year.
    QString dateLayout;
};

struct WelcomeTexts {
    QString title;     // the program's short name
    QString greeting;  // two lines
    QString helpVideo; // the help-video button's text when the video is there
    QString noHelpVideo;
    QString helpVideoTip;
    QString languageTip;
    QString windowName;   // what screen readers call the untitled window
    QString languageName; // and its language list
};

struct AboutTexts {
    QString productName;
    QString closeCaption;
    QString greeting;
    QString contactPerson; // two lines: name, degrees and title
    QString address;       // three lines
    QString services;      // two lines
    QString terms;         // two lines: distribution terms, rights notice
    QString copyTip;
};

struct StringTable {
    MainTexts main;
    WelcomeTexts welcome;
    AboutTexts about;
};

// The texts in the language of the catalogs installed on the application (English when none is).
StringTable currentStrings();

// The texts of one language read from its catalog alone, whatever is installed.
StringTable strings(const LanguageInfo &language);
StringTable strings(Language language); // a row of programLanguages()

// The program's catalog of a language from the resources; false when there is none (English,
// the language of the source texts, needs none).
bool loadProgramCatalog(QTranslator &catalog, const QString &code);

// "Sound ((o))": the sound item always carries the mark; its check mark tells the state.
QString soundCaption(const MainTexts &texts);

// A list's description for screen readers, which name a list by its current entry: what the list
// is, then its tool tip.
QString nameAndTip(const QString &name, const QString &tip);

// "Version 1.0.1 for Linux", in the installed language.
QString platformLine(const QString &vers);

// The program's version as "major.minor.revision".
QString versionText();

// The weekday list: entry 0 whole, then the first three characters of each weekday.
std::array<QString, 8> weekdayEntries(const MainTexts &texts);
