#pragma once

#include <QChar>
#include <QList>
#include <QString>

// A row of the language list: 0 English, 1 Danish, further rows Language(2) and on. The settings
// file stores this number.
enum class Language { English = 0, Danish = 1 };

// Everything the program needs to know about one language. Adding a language is one row here,
// its catalog translations/vekora_<code>.ts and its help page.
struct LanguageInfo {
    QString code; // names the catalogs vekora_<code> and qtbase_<code>, the page VKhelp-<code>.html
    QString menuName;  // the Language submenu's item, in the language itself; never translated
    QString listName;  // the welcome window's list entry
    QString videoFile; // the instruction video, looked for beside the help pages
    QChar videoLetter; // its letter in VideoAvail: upper case when the video is there
};

using LanguageList = QList<LanguageInfo>;

// The languages the program speaks, in menu order; English, the language of the source texts,
// comes first.
LanguageList programLanguages();

// The row of `index`, English for a number outside the list (a damaged settings file).
const LanguageInfo &languageAt(const LanguageList &languages, int index);
