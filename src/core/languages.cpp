#include "core/languages.h"

LanguageList programLanguages() {
    return {
        {QStringLiteral("en"), QStringLiteral("English"), QStringLiteral("English"),
         QStringLiteral("VekoraEn.avi"), QLatin1Char('E')},
        {QStringLiteral("da"), QStringLiteral("Dansk"), QStringLiteral("Dansk (Danish)"),
         QStringLiteral("VekoraDa.avi"), QLatin1Char('D')},
    };
}

const LanguageInfo &languageAt(const LanguageList &languages, int index) {
    return index > 0 && index < languages.size() ? languages.at(index) : languages.at(0);
}
