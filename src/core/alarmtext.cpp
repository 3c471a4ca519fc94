#include "core/alarmtext.h"

#include <QLatin1Char>
#include <algorithm>
#include <climits>

int firstOfPosition(const QString &text, const QString &chars) {
    // Each hit narrows the search to what lies before it, so the last hit is the earliest.
    qsizetype limit = text.size();
    int found = 0;
    for (const QChar c : chars) {
        const qsizetype at = QStringView(text).left(limit).indexOf(c);
        if (at >= 0) {
            limit = at;
            found = int(at) + 1;
        }
    }
    return found;
}

std::optional<int> readTimeOfDay(const QString &text) {
    if (text.size() != 5 || text.at(2) != QLatin1Char(':'))
        return std::nullopt;
    auto digit = [&text](int i) -> int {
        const char16_t c = text.at(i).unicode();
        return c >= u'0' && c <= u'9' ? c - u'0' : -1;
    };
    const int h1 = digit(0), h2 = digit(1), m1 = digit(3), m2 = digit(4);
    if (h1 < 0 || h2 < 0 || m1 < 0 || m2 < 0)
        return std::nullopt;
    const int hours = h1 * 10 + h2, minutes = m1 * 10 + m2;
    if (hours > 23 || minutes > 59)
        return std::nullopt;
    return hours * 3600 + minutes * 60;
}

namespace {

struct Pass {
    QString text;
    int caret = 0;
    bool changed = false;
    std::optional<int> time;
};

// Positions below are 1-based, as the field's rules are phrased that way. Both helpers
// tolerate positions past the end, which the rewriting can produce on odd texts.
QString deleteAt(const QString &s, qsizetype n) {
    return s.left(n - 1) + s.mid(n);
}

QString putColonAt(const QString &s, qsizetype n) {
    return s.left(n - 1) + QLatin1Char(':') + s.mid(n);
}

// Cutting at five characters or putting a colon after the second one can fall between the two
// halves of a character outside the basic plane; no half may stay in the field.
QString withoutBrokenPairs(const QString &s) {
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (c.isHighSurrogate() && i + 1 < s.size() && s.at(i + 1).isLowSurrogate()) {
            out += c;
            out += s.at(++i);
        } else if (!c.isSurrogate()) {
            out += c;
        }
    }
    return out;
}

Pass onePass(const QString &input, int caret) {
    Pass out;
    QString s = input;
    // 1-based positions, 0 for none: the colon and the first other separator as typed.
    qsizetype colonAt = input.indexOf(QLatin1Char(':')) + 1;
    qsizetype separatorAt = firstOfPosition(s, alarmSeparators);
    const qsizetype length = s.size();

    if (const qsizetype doubleColonAt = s.indexOf(QStringLiteral("::")) + 1; doubleColonAt > 0)
        s = deleteAt(s, doubleColonAt);

    if (separatorAt > 0) {
        if (separatorAt == 2) { // a one-digit hour before the separator
            s.prepend(QLatin1Char('0'));
            separatorAt = colonAt = 3;
        }
        s = putColonAt(s, separatorAt);
    }
    if (colonAt == 2) { // a one-digit hour before the colon
        s.prepend(QLatin1Char('0'));
        colonAt = 3;
    }
    if (length > 5)
        s.truncate(colonAt > 0 ? 5 : 4);

    bool faulty = false;
    if (colonAt == 0) {
        if (length == 4 && separatorAt == 0) {
            s.insert(2, QLatin1Char(':'));
            if (caret > 3)
                caret = 0;
        } else {
            faulty = true;
        }
    } else if (colonAt != 3) { // the colon stands in the wrong place
        s = deleteAt(s, colonAt);
        if (caret > 1)
            ++caret;
    }

    if (!faulty) {
        out.changed = true;
        // The input, not s, is read: only on a text that is already stable do they agree,
        // and that is the pass whose outcome stays.
        if (s.size() == 5)
            out.time = readTimeOfDay(input);
    }
    if (caret == 5) // a complete time puts the caret at the start
        caret = 0;

    out.text = withoutBrokenPairs(s);
    out.caret = caret;
    return out;
}

} // namespace

AlarmTextResult normaliseAlarmText(const QString &text, int caret) {
    AlarmTextResult result;
    QString current = text;
    int start = std::clamp(caret, 0, int(std::min<qsizetype>(text.size(), INT_MAX)));
    int firstCaret = 0;
    for (;;) {
        const Pass pass = onePass(current, start);
        if (result.passes == 0)
            firstCaret = pass.caret;
        ++result.passes;
        result.changed = result.changed || pass.changed;
        result.alarmTime = pass.time;
        const bool stable = pass.text == current;
        current = pass.text;
        if (stable || result.passes >= maxAlarmTextPasses)
            break;
        start = int(std::min<qsizetype>(current.size(), INT_MAX));
    }
    result.text = current;
    result.caret = int(std::clamp<qsizetype>(firstCaret, 0, current.size()));
    return result;
}
