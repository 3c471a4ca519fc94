#include "platform/help.h"
#include "ui/form1.h"

#include <QMessageBox>

void Form1::menuHelp_Click() {
    openHelpPage({});
}

void Form1::openHelpPage(const QString &anchor) {
    const QString path =
        helpPath_.isEmpty() ? helpFilePath(platform_.dataFolder, Language::English) : helpPath_;
    if (openHelp(*platform_.opener, helpPageOrBuiltIn(path, platform_.cacheFolder), anchor))
        return;
    const MainTexts &texts =
        texts_.helpMissing.isEmpty() ? strings(Language::English).main : texts_;
    QMessageBox::warning(this, QStringLiteral("Vekora"), texts.helpMissing + path);
}
