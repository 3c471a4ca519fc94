#include "ui/generalmenu.h"

#include "platform/autostart.h"
#include "ui/messagebox.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QFileInfo>

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

GeneralMenu::GeneralMenu(const LanguageList &languages, QWidget *parent) : QMenu(parent) {
    setObjectName(QStringLiteral("generalMenu"));

    m_minimiseItem = addAction(QStringLiteral("Minimize"), this, &GeneralMenu::minimiseChosen);
    m_minimiseItem->setObjectName(QStringLiteral("minimiseItem"));

    m_soundItem = addAction(QStringLiteral("Sound ((o))"), this,
                            [this] { emit soundChosen(m_soundItem->isChecked()); });
    m_soundItem->setObjectName(QStringLiteral("soundItem"));
    m_soundItem->setCheckable(true);
    m_soundItem->setChecked(true);

    m_languageMenu = addMenu(QStringLiteral("Language"));
    m_languageMenu->setObjectName(QStringLiteral("languageMenu"));
    // A choice of one: the desktop style draws the items as such, and checking one unchecks the
    // others.
    auto *languageGroup = new QActionGroup(m_languageMenu);
    languageGroup->setExclusive(true);
    for (int i = 0; i < languages.size(); ++i) {
        QAction *item = m_languageMenu->addAction(languages.at(i).menuName, this,
                                                  [this, i] { emit languageChosen(i); });
        item->setObjectName(QStringLiteral("languageItem(%1)").arg(i));
        item->setCheckable(true);
        languageGroup->addAction(item);
        m_languageItems.append(item);
    }
    m_languageItems[0]->setChecked(true);

    m_autostartItem = addAction(autostartTexts().item);
    m_autostartItem->setObjectName(QStringLiteral("autostartItem"));
    m_autostartItem->setCheckable(true);
    connect(m_autostartItem, &QAction::triggered, this, &GeneralMenu::setAutostart);
    // The entry may have been added or removed outside the program since the last look.
    connect(this, &QMenu::aboutToShow, this,
            [this] { m_autostartItem->setChecked(QFileInfo::exists(autostartEntryPath())); });

    addSeparator();
    m_helpItem = addAction(QStringLiteral("Help"), this, &GeneralMenu::helpChosen);
    m_helpItem->setObjectName(QStringLiteral("helpItem"));
    m_helpItem->setShortcut(QKeySequence(Qt::Key_F1));
    m_aboutItem = addAction(QStringLiteral("About"), this, &GeneralMenu::aboutChosen);
    m_aboutItem->setObjectName(QStringLiteral("aboutItem"));
    addSeparator();
    m_exitItem = addAction(QStringLiteral("Exit"), this, &GeneralMenu::exitChosen);
    m_exitItem->setObjectName(QStringLiteral("exitItem"));
}

// A menu item's accessible name is its text, so this also renames the items for screen readers.
void GeneralMenu::applyTexts(const MainTexts &texts) {
    m_minimiseItem->setText(texts.menuMin);
    m_soundItem->setText(soundCaption(texts));
    m_languageMenu->setTitle(texts.menuLanguage);
    m_autostartItem->setText(autostartTexts().item);
    m_helpItem->setText(texts.menuHelp);
    m_aboutItem->setText(texts.menuAbout);
    m_exitItem->setText(texts.menuExit);
}

void GeneralMenu::showSound(bool on) {
    m_soundItem->setChecked(on);
}

void GeneralMenu::showLanguage(int index) {
    m_languageItems.at(index)->setChecked(true); // the group unchecks the others
}

void GeneralMenu::setAutostart(bool on) {
    const QString path = autostartEntryPath();
    QString error;
    const bool done = ::setAutostart(on, path, QCoreApplication::applicationFilePath(), error);
    // The mark says what the next log-in will do, whatever was asked for.
    m_autostartItem->setChecked(QFileInfo::exists(path));
    if (done)
        return;
    const AutostartTexts texts = autostartTexts();
    openMessageBox(parentWidget(), QMessageBox::Warning, currentStrings().welcome.title,
                   (on ? texts.addFailed : texts.removeFailed).arg(path, error), QMessageBox::Ok,
                   Qt::NonModal);
}
