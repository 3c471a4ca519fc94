#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// The eight lines of Vekora.ini, as the program holds them.
struct SettingsData {
    QString language;   // line 1: "0", "1" or empty
    bool sound = false; // line 2, first character
    int windowState = 0; // line 2, the rest: 0 normal, 1 minimised, 2 maximised
    int top = 0;        // line 3, twips
    int left = 0;       // line 4, twips
    int weekday = 0;    // line 5: -1 none, 0 every day, 1..7 Sunday..Saturday
    QString alarmText;  // line 6
    QString message;    // line 7
    QString caption;    // line 8: the switch caption as shown
};

// " 12 ", "-1 ": a sign place, the digits, a blank.
QString printFormat(qint64 n);

// The leading number of a text: leading blanks skipped, 0 when there is none.
double leadingNumber(const QString &text);

// Rounded to the nearest whole number, halves to even; nothing when it does not fit a 32-bit int.
std::optional<int> roundedNumber(const QString &text);

// The whole file, CR LF after every line; Windows-1252 when it can hold every character, else UTF-8.
QByteArray encodeSettings(const SettingsData &data);

// The file's lines (valid UTF-8 read as such, otherwise Windows-1252), line ends removed.
QStringList decodeSettingsLines(const QByteArray &bytes);
