#include "ui/form1.h"

#include <QAction>
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
    const std::array<QString, 2> languageNames{QStringLiteral("English"), QStringLiteral("Dansk")};
    for (int i = 0; i < 2; ++i) {
        menulang[i] =
            menuLanguage->addAction(languageNames[i], this, [this, i] { menuLang_Click(i); });
        menulang[i]->setObjectName(QStringLiteral("menulang(%1)").arg(i));
        menulang[i]->setCheckable(true);
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
