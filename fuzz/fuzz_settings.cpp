// The settings file's reader and writer, fed arbitrary bytes.
//
// Whatever a file holds, reading it must not crash, its numbers must come out usable, and what
// the program writes from what it read must read back as the same eight lines.

#include "core/settingscodec.h"

#include <QByteArray>
#include <QStringList>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const char *what, const QByteArray &bytes, qsizetype line = -1) {
    std::fprintf(stderr, "fuzz_settings: %s (line %lld of %lld input bytes)\n", what,
                 static_cast<long long>(line + 1), static_cast<long long>(bytes.size()));
    std::abort();
}

QString lineOf(const QStringList &lines, qsizetype i) {
    return i < lines.size() ? lines.at(i) : QString();
}

// A text longer than its maximum comes back cut there, or one shorter, never half a pair.
QString cutTo(const QString &text, qsizetype length) {
    if (text.size() <= length)
        return text;
    return text.left(text.at(length - 1).isHighSurrogate() ? length - 1 : length);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QStringList lines = decodeSettingsLines(bytes);

    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        if (line.contains(u'\r') || line.contains(u'\n'))
            fail("a line holds a line end", bytes, i);
        const double value = leadingNumber(line);
        if (std::isnan(value))
            fail("leadingNumber gave NaN", bytes, i);
        if (const std::optional<int> whole = roundedNumber(line);
            whole && std::fabs(double(*whole) - value) > 0.5)
            fail("roundedNumber strays from the number it rounds", bytes, i);
    }

    // The program keeps what it read the way the start-up applies it: the texts as they are, the
    // numbers rounded (a number that does not fit is taken as 0 here).
    SettingsData settings;
    settings.language = lineOf(lines, 0);
    settings.sound = soundFromLine2(lineOf(lines, 1));
    const int windowState = windowStateFromLine2(lineOf(lines, 1)).value_or(0);
    settings.windowState = static_cast<WindowState>(windowState);
    settings.top = roundedNumber(lineOf(lines, 2)).value_or(0);
    settings.left = roundedNumber(lineOf(lines, 3)).value_or(0);
    settings.weekday = roundedNumber(lineOf(lines, 4)).value_or(0);
    settings.alarmText = lineOf(lines, 5);
    settings.message = lineOf(lines, 6);
    settings.caption = lineOf(lines, 7);

    const QStringList expected = {
        cutTo(settings.language, maxShortTextLength),
        (settings.sound ? QStringLiteral("1") : QStringLiteral("0")) +
            printFormat(windowState),
        printFormat(settings.top),
        printFormat(settings.left),
        printFormat(settings.weekday),
        cutTo(settings.alarmText, maxShortTextLength),
        cutTo(settings.message, maxMessageLength),
        cutTo(settings.caption, maxShortTextLength),
    };
    const QStringList reread = decodeSettingsLines(encodeSettings(settings));
    if (reread.size() != 8)
        fail("the written file does not hold eight lines", bytes);
    for (qsizetype i = 0; i < 8; ++i)
        if (reread.at(i) != expected.at(i))
            fail("a line reads back changed", bytes, i);
    return 0;
}
