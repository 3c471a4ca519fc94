#include "platform/autostart.h"
#include "ui/form1.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>

namespace {
struct AutostartTexts {
    QString item;
    QString addFailed;    // %1 the entry's path, %2 the reason
    QString removeFailed; // likewise
};

// In the language whose catalog is installed.
AutostartTexts autostartTexts() {
    return {QCoreApplication::translate("MainWindow", "Start with the desktop"),
            //: %1 the autostart entry's path, %2 the reason
            QCoreApplication::translate(
                "MainWindow", "Vekora could not be set to start with the desktop.\n%1\n%2"),
            QCoreApplication::translate(
                "MainWindow",
                "Vekora could not be removed from the programs started with the desktop.\n%1\n%2")};
}
} // namespace

void Form1::createAutostartItem() {
    menuAutostart = menuPopUp->addAction(autostartTexts().item);
    menuAutostart->setObjectName(QStringLiteral("menuAutostart"));
    menuAutostart->setCheckable(true);
    connect(menuAutostart, &QAction::triggered, this, &Form1::menuAutostart_Click);
    // The entry may have been added or removed outside the program since the last look.
    connect(menuPopUp, &QMenu::aboutToShow, this,
            [this] { menuAutostart->setChecked(QFileInfo::exists(autostartEntryPath())); });
}

// A menu item's accessible name is its text, so this also renames it for screen readers.
void Form1::applyAutostartTexts() {
    menuAutostart->setText(autostartTexts().item);
}

void Form1::menuAutostart_Click(bool checked) {
    const QString path = autostartEntryPath();
    QString error;
    const bool done = setAutostart(checked, path, QCoreApplication::applicationFilePath(), error);
    // The mark says what the next log-in will do, whatever was asked for.
    menuAutostart->setChecked(QFileInfo::exists(path));
    if (done)
        return;
    const AutostartTexts texts = autostartTexts();
    QMessageBox::warning(this, QStringLiteral("Vekora"),
                         (checked ? texts.addFailed : texts.removeFailed).arg(path, error));
}
