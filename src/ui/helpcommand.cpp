#include "platform/help.h"
#include "ui/form1.h"

#include <QMessageBox>

void Form1::menuHelp_Click() {
    openHelpPage({});
}

void Form1::openHelpPage(const QString &anchor) {
    const QString path = helpPath_.isEmpty()
                             ? helpFilePath(platform_.dataFolder, platform_.languages.at(0))
                             : helpPath_;
    if (openHelp(*platform_.opener, helpPageOrBuiltIn(path, platform_.cacheFolder), anchor))
        return;
    // Before the first language switch the installed catalogs give the English texts.
    const QString missing =
        texts_.helpMissing.isEmpty() ? currentStrings().main.helpMissing : texts_.helpMissing;
    QMessageBox::warning(this, QStringLiteral("Vekora"), missing.arg(path));
}
