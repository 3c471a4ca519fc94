#include "ui/form1.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

void Form1::createMenu() {
    menuPopUp = new QMenu(this);
    menuPopUp->setObjectName(QStringLiteral("menuPopUp"));

    menuMin = menuPopUp->addAction(QStringLiteral("Minimize"), this, &Form1::menuMin_Click);
    menuMin->setObjectName(QStringLiteral("menuMin"));

    menuSound = menuPopUp->addAction(QStringLiteral("Sound ((o))"), this, &Form1::menuSound_Click);
    menuSound->setObjectName(QStringLiteral("menuSound"));
    menuSound->setCheckable(true);
    menuSound->setChecked(true);

    menuLanguage = menuPopUp->addMenu(QStringLiteral("Language"));
    menuLanguage->setObjectName(QStringLiteral("menuLanguage"));
    // A choice of one: the desktop style draws the items as such, and checking one unchecks the
    // others.
    auto *languageGroup = new QActionGroup(menuLanguage);
    languageGroup->setExclusive(true);
    for (int i = 0; i < platform_.languages.size(); ++i) {
        QAction *item = menuLanguage->addAction(platform_.languages.at(i).menuName, this,
                                                [this, i] { menuLang_Click(i); });
        item->setObjectName(QStringLiteral("menulang(%1)").arg(i));
        item->setCheckable(true);
        languageGroup->addAction(item);
        menulang.append(item);
    }
    menulang[0]->setChecked(true);
    createAutostartItem();

    menuPopUp->addSeparator()->setObjectName(QStringLiteral("line2"));
    menuHelp = menuPopUp->addAction(QStringLiteral("Help"), this, &Form1::menuHelp_Click);
    menuHelp->setObjectName(QStringLiteral("menuHelp"));
    menuHelp->setShortcut(QKeySequence(Qt::Key_F1));
    menuAbout = menuPopUp->addAction(QStringLiteral("About"), this, &Form1::menuAbout_Click);
    menuAbout->setObjectName(QStringLiteral("menuAbout"));
    menuPopUp->addSeparator()->setObjectName(QStringLiteral("line1"));
    menuExit = menuPopUp->addAction(QStringLiteral("Exit"), this, &Form1::menuExit_Click);
    menuExit->setObjectName(QStringLiteral("menuExit"));
}

void Form1::showGeneralMenu(const QPoint &globalPos) {
    menuPopUp->popup(globalPos);
}
