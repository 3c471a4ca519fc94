#include "core/catalogs.h"
#include "platform/help.h"
#include "ui/form1.h"
#include "ui/frminit.h"
#include "ui/frmsplash.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>

void Form1::menuLang_Click(int index) {
    if (index == -1)
        return;
    // A number outside the list (a damaged settings file) counts as English.
    const int i = index > 0 && index < platform_.languages.size() ? index : 0;
    const LanguageInfo &language = platform_.languages.at(i);
    language_ = Language(i);
    // The group unchecks the other items.
    menulang[i]->setChecked(true);

    if (!catalogs_)
        catalogs_ = new Catalogs(this);
    if (!catalogs_->install(language))
        qWarning("vekora: no catalog for language \"%s\"; the texts stay English",
                 qUtf8Printable(language.code));
    const StringTable table = currentStrings();
    texts_ = table.main;
    const QChar videoLetter = VideoAvail.size() > i ? VideoAvail.at(i) : QChar();
    const bool videoPresent = videoLetter == language.videoLetter.toUpper();
    if (frmInit)
        frmInit->applyTexts(table.welcome,
                            videoPresent ? table.welcome.helpVideo : table.welcome.noHelpVideo);
    if (frmSplash)
        frmSplash->applyTexts(table.about, platformLine(versionText()));

    helpPath_ = helpFilePath(platform_.dataFolder, language);

    Frame1->setTitle(texts_.frameCaption);
    Label0->setToolTip(texts_.hint);
    Frame1->setToolTip(texts_.frameTip.arg(Label0->toolTip()));
    txtAlrm->setToolTip(texts_.alarmTimeTip);
    Label4->setToolTip(texts_.timeTip.arg(Label0->toolTip()));
    Label3->setToolTip(texts_.dateTip.arg(Label0->toolTip()));
    txtMsg->setToolTip(texts_.messageTip);
    CmdStop->setToolTip(texts_.switchTip.arg(Label0->toolTip()));
    cboDay->setToolTip(texts_.dayTip);

    menuMin->setText(texts_.menuMin);
    menuSound->setText(soundCaption(texts_));
    menuLanguage->setTitle(texts_.menuLanguage);
    applyAutostartTexts();
    menuHelp->setText(texts_.menuHelp);
    menuAbout->setText(texts_.menuAbout);
    menuExit->setText(texts_.menuExit);

    setWindowTitle(texts_.stattxt[5]);
    SetCmdStop(model_.switchState().value_or(SwitchState::Error));

    {
        const QSignalBlocker blocker(cboDay);
        const int selected = std::max(cboDay->currentIndex(), 0);
        cboDay->clear();
        for (const QString &entry : weekdayEntries(texts_))
            cboDay->addItem(entry);
        cboDay->setCurrentIndex(selected);
    }
    model_.setWeekday(cboDay->currentIndex());
    applyAccessibleTexts();
    fitFonts();
    model_.markChanged();
}

// Labels, buttons and the frame are named by what they show and described by their tool tips,
// as Qt does by itself; only the fields, which show no name, get one. A list is named by its
// current entry, so what it is goes in front of its description.
void Form1::applyAccessibleTexts() {
    txtAlrm->setAccessibleName(texts_.alarmTimeName);
    txtMsg->setAccessibleName(texts_.messageName);
    cboDay->setAccessibleDescription(nameAndTip(texts_.dayName, cboDay->toolTip()));
    describeAlarmField();
}
