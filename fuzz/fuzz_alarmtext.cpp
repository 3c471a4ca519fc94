// The alarm-time field's rewriting, fed arbitrary text and caret positions.
//
// Input: byte 0 holds the caret (low 7 bits, offset so that a few negative carets occur too) and
// the encoding of the rest (top bit clear: UTF-8, set: raw UTF-16 in host order, so that lone
// surrogates and other units no UTF-8 decoder yields reach the field as well).

#include "core/alarmtext.h"

#include <QString>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const char *what, const QString &text, int caret) {
    std::fprintf(stderr, "fuzz_alarmtext: %s (text \"%s\", caret %d)\n", what,
                 text.toUtf8().constData(), caret);
    std::abort();
}

bool isCanonicalTime(const QString &s) {
    if (s.size() != 5 || s.at(2) != u':')
        return false;
    for (int i : {0, 1, 3, 4})
        if (s.at(i) < u'0' || s.at(i) > u'9')
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size == 0)
        return 0;
    const int caret = int(data[0] & 0x7F) - 8;
    const bool utf16 = data[0] & 0x80;
    const char *rest = reinterpret_cast<const char *>(data + 1);
    const auto restSize = qsizetype(size - 1);
    const QString text = utf16 ? QString(reinterpret_cast<const QChar *>(rest), restSize / 2)
                               : QString::fromUtf8(rest, restSize);

    const AlarmTextResult r = normaliseAlarmText(text, caret);

    // Every text settles within nine passes; the loop's own bound is only a safety net.
    if (r.passes < 1 || r.passes > 9)
        fail("pass count outside 1..9", text, caret);
    if (r.caret < 0 || r.caret > r.text.size())
        fail("caret outside the text", text, caret);

    // The field writes the result back: that must change nothing.
    const AlarmTextResult again = normaliseAlarmText(r.text, r.caret);
    if (again.text != r.text || again.alarmTime != r.alarmTime || again.passes != 1)
        fail("result is not a fixed point", text, caret);

    if (r.alarmTime) {
        if (!isCanonicalTime(r.text))
            fail("valid result is not hh:mm", text, caret);
        if (readTimeOfDay(r.text) != r.alarmTime)
            fail("valid result reads back as another time", text, caret);
        if (*r.alarmTime < 0 || *r.alarmTime > 86340 || *r.alarmTime % 60 != 0)
            fail("alarm time outside the day", text, caret);
    } else if (r.text.size() == 5 && readTimeOfDay(r.text)) {
        fail("a readable time was reported faulty", text, caret);
    }
    return 0;
}
