#include "core/settingscodec.h"

#include <QLocale>
#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Qt's Windows-1252 converter (ICU) reads every byte: the five bytes the code page leaves
// undefined come back as the C1 control of the same number and are written out unchanged, so any
// file reads and writes back byte for byte. Writing, it flags a character the code page lacks
// instead of putting a look-alike in its place, which is what lets such a text go to UTF-8.
// Qt loads ICU for it, over a megabyte kept for the rest of the run; a text that is plain ASCII,
// as most settings files are, is the same bytes in every one of these encodings and needs none.
constexpr const char *kWindows1252 = "windows-1252";

bool isAscii(const QString &text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

QString fromWindows1252(const QByteArray &bytes) {
    QStringDecoder decoder(kWindows1252, QStringConverter::Flag::Stateless);
    if (!decoder.isValid()) // a Qt without ICU: Latin-1 differs only in 0x80..0x9F
        return QString::fromLatin1(bytes);
    return decoder.decode(bytes);
}

std::optional<QByteArray> toWindows1252(const QString &text) {
    if (isAscii(text))
        return text.toLatin1();
    QStringEncoder encoder(kWindows1252, QStringConverter::Flag::Stateless);
    if (!encoder.isValid())
        return std::nullopt;
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return std::nullopt;
    return bytes;
}

std::optional<QString> strictUtf8(const QByteArray &bytes) {
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

bool isAscii(const QByteArray &bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool isDigitAt(const QString &text, qsizetype i) {
    return i < text.size() && text.at(i) >= QLatin1Char('0') && text.at(i) <= QLatin1Char('9');
}

bool isSignAt(const QString &text, qsizetype i) {
    return i < text.size() && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-'));
}

// At most `length` code units, never half a surrogate pair.
QString cut(const QString &text, qsizetype length) {
    if (text.size() <= length)
        return text;
    return text.left(text.at(length - 1).isHighSurrogate() ? length - 1 : length);
}

qsizetype skipDigits(const QString &text, qsizetype i) {
    while (isDigitAt(text, i))
        ++i;
    return i;
}

} // namespace

QString flattenLineBreaks(QString text) {
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

QString printFormat(qint64 n) {
    const QString digits = QString::number(n);
    return (n < 0 ? digits : QLatin1Char(' ') + digits) + QLatin1Char(' ');
}

double leadingNumber(const QString &text) {
    qsizetype i = 0;
    while (i < text.size() && (text.at(i) == QLatin1Char(' ') || text.at(i) == QLatin1Char('\t')))
        ++i;
    const qsizetype start = i;
    if (isSignAt(text, i))
        ++i;
    const qsizetype wholeStart = i;
    i = skipDigits(text, i);
    bool anyDigit = i > wholeStart;
    if (i < text.size() && text.at(i) == QLatin1Char('.')) {
        const qsizetype fractionStart = i + 1;
        const qsizetype fractionEnd = skipDigits(text, fractionStart);
        anyDigit = anyDigit || fractionEnd > fractionStart;
        i = fractionEnd;
    }
    if (!anyDigit)
        return 0;
    if (i < text.size() && (text.at(i) == QLatin1Char('e') || text.at(i) == QLatin1Char('E'))) {
        qsizetype exponent = i + 1;
        if (isSignAt(text, exponent))
            ++exponent;
        if (isDigitAt(text, exponent))
            i = skipDigits(text, exponent);
    }
    // A whole number of a few digits, as every line the program writes holds, is read here: the
    // general reader below brings a library of its own into every start for nothing.
    if (i == skipDigits(text, wholeStart) && i - wholeStart <= 15) {
        const qint64 whole = QStringView(text).sliced(wholeStart, i - wholeStart).toLongLong();
        return text.at(start) == QLatin1Char('-') ? -double(whole) : double(whole);
    }
    // The C locale reads the digits the same whatever the user's locale; it gives infinity when
    // the value overflows and 0 when it underflows, both what a caller wants here.
    return QLocale::c().toDouble(QStringView(text).sliced(start, i - start));
}

std::optional<int> roundedNumber(const QString &text) {
    const double value = leadingNumber(text);
    // Far outside an int (or not a number at all) nothing can round into it; within, whole
    // numbers do the work, so no part of the maths library is needed to start the program.
    constexpr double limit = double(std::numeric_limits<int>::max()) + 2.0;
    if (!(value > -limit && value < limit))
        return std::nullopt;
    const qint64 below = qint64(value) - (value < double(qint64(value)) ? 1 : 0);
    const double fraction = value - double(below);
    qint64 rounded = below;
    if (fraction > 0.5 || (fraction == 0.5 && below % 2 != 0))
        rounded = below + 1;
    if (rounded < std::numeric_limits<int>::min() || rounded > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(rounded);
}

bool soundFromLine2(const QString &line) {
    return line.startsWith(QLatin1Char('1'));
}

std::optional<int> windowStateFromLine2(const QString &line) {
    return roundedNumber(line.mid(1));
}

QByteArray encodeSettings(const SettingsData &data) {
    const QString lineEnd = QStringLiteral("\r\n");
    const QString text = flattenLineBreaks(cut(data.language, maxShortTextLength)) + lineEnd +
                         (data.sound ? QLatin1Char('1') : QLatin1Char('0')) +
                         printFormat(static_cast<int>(data.windowState)) + lineEnd + printFormat(data.top) + lineEnd +
                         printFormat(data.left) + lineEnd + printFormat(data.weekday) + lineEnd +
                         flattenLineBreaks(cut(data.alarmText, maxShortTextLength)) + lineEnd +
                         flattenLineBreaks(cut(data.message, maxMessageLength)) + lineEnd +
                         flattenLineBreaks(cut(data.caption, maxShortTextLength)) + lineEnd;

    // Windows-1252 bytes that happen to form valid UTF-8 ("Ã¸") would be read back as UTF-8 and
    // come out as other letters ("ø"); such a file is written as UTF-8 instead.
    if (const auto legacy = toWindows1252(text);
        legacy && (isAscii(*legacy) || !strictUtf8(*legacy)))
        return *legacy;
    QByteArray utf8 = QStringEncoder(QStringConverter::Utf8).encode(text);
    // The reader drops one leading byte order mark; a text that begins with that character
    // itself keeps it only behind a mark of our own.
    if (text.startsWith(QChar(0xFEFF)))
        utf8.prepend("\xEF\xBB\xBF");
    return utf8;
}

QStringList decodeSettingsLines(const QByteArray &bytes) {
    // The UTF-8 decoder also drops a leading byte order mark that an editor may have added.
    const std::optional<QString> utf8 = strictUtf8(bytes);
    const QString text = utf8 ? *utf8 : fromWindows1252(bytes);
    QStringList lines;
    QString line;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (ch != QLatin1Char('\r') && ch != QLatin1Char('\n')) {
            line += ch;
            continue;
        }
        if (ch == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        lines += line;
        line.clear();
    }
    if (!line.isEmpty())
        lines += line;
    return lines;
}
