#pragma once

#include "core/strings.h"

#include <QStringList>

// Every text of a language's tables, always in the same order, so two languages compare field
// by field.
inline QStringList allTexts(const StringTable &t) {
    const MainTexts &m = t.main;
    QStringList texts{m.frameCaption, m.hint,         m.frameTip,    m.timeTip,    m.dateTip,
                      m.switchTip,    m.alarmTimeTip, m.messageTip,  m.dayTip,     m.menuMin,
                      m.soundMenu,    m.menuLanguage, m.menuHelp,    m.menuAbout,  m.menuExit,
                      m.stp,          m.errtxt,       m.helpMissing, m.dateLayout, m.alarmTimeName,
                      m.messageName,  m.dayName};
    texts << QStringList(m.stattxt.begin(), m.stattxt.end())
          << QStringList(m.daytxt.begin(), m.daytxt.end())
          << QStringList(m.monthtxt.begin(), m.monthtxt.end());
    const WelcomeTexts &w = t.welcome;
    texts << w.title << w.greeting << w.helpVideo << w.noHelpVideo << w.helpVideoTip
          << w.languageTip << w.windowName << w.languageName;
    const AboutTexts &a = t.about;
    texts << a.productName << a.closeCaption << a.greeting << a.haldorin << a.adress << a.norvakinfo
          << a.licenseTo << a.copyTip;
    return texts;
}
