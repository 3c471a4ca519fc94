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
    // Only two languages exist; a damaged value counts as English.
    const Language language = index == 1 ? Language::Danish : Language::English;
    const int i = static_cast<int>(language);
    language_ = language;
    menulang[1 - i]->setChecked(false);
    menulang[i]->setChecked(true);

    const StringTable &table = strings(language);
    texts_ = table.main;
    const QChar videoLetter = VideoAvail.size() > i ? VideoAvail.at(i) : QChar();
    const bool videoPresent =
        videoLetter == (language == Language::English ? QLatin1Char('E') : QLatin1Char('D'));
    if (frmInit)
        frmInit->applyTexts(table.welcome,
                            videoPresent ? table.welcome.helpVideo : table.welcome.noHelpVideo);
    if (frmSplash)
        frmSplash->applyTexts(table.about, platformLine(versionText()));

    helpPath_ = helpFilePath(platform_.dataFolder, language);

    Frame1->setTitle(texts_.frameCaption);
    Label0->setToolTip(texts_.hint);
    Frame1->setToolTip(texts_.frameTipPrefix + Label0->toolTip());
    txtAlrm->setToolTip(texts_.alarmTimeTip);
    Label4->setToolTip(texts_.timeTipPrefix + Label0->toolTip());
    Label3->setToolTip(texts_.dateTipPrefix + Label0->toolTip());
    txtMsg->setToolTip(texts_.messageTip);
    CmdStop->setToolTip(texts_.switchTipPrefix + Label0->toolTip());
    cboDay->setToolTip(texts_.dayTip);

    menuMin->setText(texts_.menuMin);
    menuSound->setText(soundCaption(texts_));
    menuLanguage->setTitle(texts_.menuLanguage);
    applyAutostartTexts(language);
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
    applyAccessibleNames();
    fitFonts();
    model_.markChanged();
}

// Screen readers get the same words a sighted user reads in the tool tips.
void Form1::applyAccessibleNames() {
    for (QWidget *w : {static_cast<QWidget *>(Frame1), static_cast<QWidget *>(cboDay),
                       static_cast<QWidget *>(txtAlrm), static_cast<QWidget *>(CmdStop),
                       static_cast<QWidget *>(txtMsg), static_cast<QWidget *>(Label0),
                       static_cast<QWidget *>(Label3), static_cast<QWidget *>(Label4)})
        w->setAccessibleName(w->toolTip());
}
