#include "ui/generalmenu.h"

#include "platform/autostart.h"

#include <QAction>
#include <QActionGroup>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QKeyEvent>
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

GeneralMenu::GeneralMenu(const LanguageList &languages, QWidget *parent) : QMenu(parent) {
    setObjectName(QStringLiteral("generalMenu"));

    minimiseItem_ = addAction(QStringLiteral("Minimize"), this, &GeneralMenu::minimiseChosen);
    minimiseItem_->setObjectName(QStringLiteral("minimiseItem"));

    soundItem_ = addAction(QStringLiteral("Sound ((o))"), this,
                           [this] { emit soundChosen(soundItem_->isChecked()); });
    soundItem_->setObjectName(QStringLiteral("soundItem"));
    soundItem_->setCheckable(true);
    soundItem_->setChecked(true);

    languageMenu_ = addMenu(QStringLiteral("Language"));
    languageMenu_->setObjectName(QStringLiteral("languageMenu"));
    // A choice of one: the desktop style draws the items as such, and checking one unchecks the
    // others.
    auto *languageGroup = new QActionGroup(languageMenu_);
    languageGroup->setExclusive(true);
    for (int i = 0; i < languages.size(); ++i) {
        QAction *item = languageMenu_->addAction(languages.at(i).menuName, this,
                                                 [this, i] { emit languageChosen(i); });
        item->setObjectName(QStringLiteral("languageItem(%1)").arg(i));
        item->setCheckable(true);
        languageGroup->addAction(item);
        languageItems_.append(item);
    }
    languageItems_[0]->setChecked(true);

    autostartItem_ = addAction(autostartTexts().item);
    autostartItem_->setObjectName(QStringLiteral("autostartItem"));
    autostartItem_->setCheckable(true);
    connect(autostartItem_, &QAction::triggered, this, &GeneralMenu::setAutostart);
    // The entry may have been added or removed outside the program since the last look.
    connect(this, &QMenu::aboutToShow, this,
            [this] { autostartItem_->setChecked(QFileInfo::exists(autostartEntryPath())); });

    addSeparator();
    helpItem_ = addAction(QStringLiteral("Help"), this, &GeneralMenu::helpChosen);
    helpItem_->setObjectName(QStringLiteral("helpItem"));
    helpItem_->setShortcut(QKeySequence(Qt::Key_F1));
    aboutItem_ = addAction(QStringLiteral("About"), this, &GeneralMenu::aboutChosen);
    aboutItem_->setObjectName(QStringLiteral("aboutItem"));
    addSeparator();
    exitItem_ = addAction(QStringLiteral("Exit"), this, &GeneralMenu::exitChosen);
    exitItem_->setObjectName(QStringLiteral("exitItem"));
}

// A menu item's accessible name is its text, so this also renames the items for screen readers.
void GeneralMenu::applyTexts(const MainTexts &texts) {
    minimiseItem_->setText(texts.menuMin);
    soundItem_->setText(soundCaption(texts));
    languageMenu_->setTitle(texts.menuLanguage);
    autostartItem_->setText(autostartTexts().item);
    helpItem_->setText(texts.menuHelp);
    aboutItem_->setText(texts.menuAbout);
    exitItem_->setText(texts.menuExit);
}

void GeneralMenu::showSound(bool on) {
    soundItem_->setChecked(on);
}

void GeneralMenu::showLanguage(int index) {
    languageItems_.at(index)->setChecked(true); // the group unchecks the others
}

void GeneralMenu::setAutostart(bool on) {
    const QString path = autostartEntryPath();
    QString error;
    const bool done = ::setAutostart(on, path, QCoreApplication::applicationFilePath(), error);
    // The mark says what the next log-in will do, whatever was asked for.
    autostartItem_->setChecked(QFileInfo::exists(path));
    if (done)
        return;
    const AutostartTexts texts = autostartTexts();
    QMessageBox::warning(parentWidget(), QStringLiteral("Vekora"),
                         (on ? texts.addFailed : texts.removeFailed).arg(path, error));
}

void GeneralMenu::watch(QWidget *control) {
    control->installEventFilter(this);
}

void GeneralMenu::openBelow(QWidget *control) {
    popup(control->mapToGlobal(QPoint(0, control->height())));
}

bool GeneralMenu::eventFilter(QObject *watched, QEvent *event) {
    auto *control = qobject_cast<QWidget *>(watched);
    if (!control)
        return false;
    if (event->type() == QEvent::KeyPress) {
        // Not every control turns these keys into a context menu request, and where one does,
        // the text fields would open their own menu.
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Menu ||
            (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier)) {
            openBelow(control);
            return true;
        }
    } else if (event->type() == QEvent::ContextMenu &&
               static_cast<QContextMenuEvent *>(event)->reason() == QContextMenuEvent::Keyboard) {
        openBelow(control);
        return true;
    }
    return false;
}
