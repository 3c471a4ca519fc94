#pragma once

#include "core/windowstate.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// The eight lines of Vekora.ini, as the program holds them.
struct SettingsData {
    QString language;                              // line 1: "0", "1" or empty
    bool sound = false;                            // line 2, first character
    WindowState windowState = WindowState::Normal; // line 2, the rest
    int top = 0;                                   // line 3, twips
    int left = 0;                                  // line 4, twips
    int weekday = 0;   // line 5: -1 none, 0 every day, 1..7 Sunday..Saturday
    QString alarmText; // line 6
    QString message;   // line 7
    QString caption;   // line 8: the switch caption as shown
};

// The longest message kept, in UTF-16 code units: far beyond any alarm's words, and short enough
// that the file always reads back whole. A longer one is cut when written.
constexpr qsizetype maxMessageLength = 32767;
// Language, alarm time and caption are a few characters each; a longer one is cut all the same,
// so that the largest file below holds whatever the caller hands the encoder.
constexpr qsizetype maxShortTextLength = 255;
// The reader takes no larger file: a link to an endless device cannot fill the memory.
constexpr qsizetype settingsReadLimit = 128 * 1024;

// The largest file: the texts in UTF-8 (at most 3 bytes per UTF-16 code unit) behind a byte order
// mark, the sound digit, the four numbers at their widest (12 characters), a CR LF after each of
// the eight lines.
static_assert(3 + 3 * (maxMessageLength + 3 * maxShortTextLength) + 1 + 4 * 12 + 8 * 2 <=
                  settingsReadLimit,
              "a file the program writes must read back whole");

// Line breaks become blanks: a stored text may only end where the file says so.
QString flattenLineBreaks(QString text);

// " 12 ", "-1 ": a sign place, the digits, a blank.
QString printFormat(qint64 n);

// The leading number of a text, read the way BASIC's Val reads it: leading blanks and tabs
// skipped, an optional sign, digits, an optional decimal point with digits, an optional exponent
// (E or e, optional sign, digits). The number ends at the first character that cannot continue
// it, a blank included ("1 2" gives 1). 0 when there is no number; ±infinity when it overflows.
double leadingNumber(const QString &text);

// Rounded to the nearest whole number, halves to even; nothing when it does not fit a 32-bit int.
std::optional<int> roundedNumber(const QString &text);

// Line 2: "1" as the first character means sound on.
bool soundFromLine2(const QString &line);

// Line 2: the window state, the rounded number from the second character on.
std::optional<int> windowStateFromLine2(const QString &line);

// The whole file, CR LF after every line. Line breaks inside a text become blanks, so the file
// always has eight lines; texts longer than their maximum are cut. Windows-1252 when it holds every
// character and cannot be mistaken for UTF-8 when read back, otherwise UTF-8.
QByteArray encodeSettings(const SettingsData &data);

// The file's lines (valid UTF-8 read as such, otherwise Windows-1252), line ends removed.
// CR LF, a lone CR and a lone LF each end a line; text after the last line end is a line too.
QStringList decodeSettingsLines(const QByteArray &bytes);
