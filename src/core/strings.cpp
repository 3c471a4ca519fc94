#include "core/strings.h"

#include <QCoreApplication>
#include <QTranslator>

namespace {

const QString crlf = QStringLiteral("\r\n");

// Where the texts come from: one catalog, or when there is none the catalogs installed on the
// application. The English source text stands in for anything a catalog lacks.
class TextSource {
public:
    explicit TextSource(const QTranslator *catalog = nullptr) : m_catalog(catalog) {}

    QString translate(const char *context, const char *source,
                      const char *disambiguation = nullptr) const {
        if (!m_catalog)
            return QCoreApplication::translate(context, source, disambiguation);
        const QString text = m_catalog->translate(context, source, disambiguation);
        return text.isEmpty() ? QString::fromUtf8(source) : text;
    }

private:
    const QTranslator *m_catalog;
};

QString lines(std::initializer_list<QString> parts) {
    QString text;
    for (const QString &part : parts)
        text += (text.isEmpty() ? QString() : crlf) + part;
    return text;
}

MainTexts mainTexts(const TextSource &tx) {
    MainTexts m;
    m.windowTitle = tx.translate("MainWindow", "Norvak Vekora", "window title");
    m.frameCaption = tx.translate("MainWindow", "Alarm", "caption of the alarm frame");
    m.hint = tx.translate("MainWindow", "Right-click for general menu.");
    //: Tool tip of the alarm frame; %1 is the general hint "Right-click for general menu."
    m.frameTip = tx.translate("MainWindow", "Alarm settings. %1");
    //: Tool tip of the time display; %1 is the general hint
    m.timeTip = tx.translate("MainWindow", "Actual time. %1");
    //: Tool tip of the date line; %1 is the general hint
    m.dateTip = tx.translate("MainWindow", "Actual date. %1");
    //: Tool tip of the alarm switch; %1 is the general hint
    m.switchTip = tx.translate("MainWindow", "Alarm On/Off. %1");
    m.alarmTimeTip =
        tx.translate("MainWindow", "Alarm time in almost any 24h time format, for example: 0945.");
    m.messageTip = tx.translate("MainWindow", "Alarm message. Copying: Select text + Ctrl-C.");
    m.dayTip = tx.translate("MainWindow", "Select alarmday of the week.");
    //: What a screen reader calls the alarm-time field
    m.alarmTimeName = tx.translate("MainWindow", "Alarm time");
    //: What a screen reader calls the message field
    m.messageName = tx.translate("MainWindow", "Alarm message");
    //: What a screen reader calls the weekday list, before the list's tool tip
    m.dayName = tx.translate("MainWindow", "Alarm day");
    m.menuMin = tx.translate("MainWindow", "Minimize");
    //: Menu item; %1 is the sound mark ((o)), shown whether sound is on or off
    m.soundMenu = tx.translate("MainWindow", "Sound %1");
    m.menuLanguage = tx.translate("MainWindow", "Language");
    m.menuHelp = tx.translate("MainWindow", "Help", "menu item");
    m.menuAbout = tx.translate("MainWindow", "About", "menu item that opens the About window");
    m.menuExit = tx.translate("MainWindow", "Exit", "menu item that ends the program");
    m.errorCaption = tx.translate("MainWindow", "Error!", "alarm switch: the alarm time is faulty");
    m.ringingCaption = tx.translate("MainWindow", "Stop", "alarm switch: the alarm is ringing");
    m.armedCaption = tx.translate("MainWindow", "On", "alarm switch: the alarm is set");
    m.offCaption = tx.translate("MainWindow", "Off", "alarm switch: the alarm is not set");
    m.exitQuestion = tx.translate("MainWindow", "Do you really want to exit Vekora?");
    m.alarmTimeError = tx.translate("MainWindow", "Repair the error in the alarm time field!");
    //: %1 is the help page's full path, on a line of its own
    m.helpMissing = tx.translate("MainWindow", "The help page could not be opened:\n%1");
    //: %1 is the settings file's full path, %2 the system's reason
    m.saveFailed = tx.translate("MainWindow", "Vekora could not save its settings in %1:\n%2");
    //: %1 is the settings file's full path, %2 the reason
    m.readFailed = tx.translate("MainWindow",
                                "Vekora could not read its settings in %1:\n%2\nIt starts afresh.");
    //: Title of a notification; %1 the weekday's first three letters, %2 the time as hh:mm
    m.missedAlarm = tx.translate("MainWindow", "Missed alarm: %1 %2");
    //: Last line of the ringing alarm's notification after a sleep; %1 whole minutes
    m.lateNote = tx.translate("MainWindow", "Rings %1 min. late.");
    //: Button of the ringing alarm's notification: it rings again in ten minutes
    m.snoozeAction = tx.translate("MainWindow", "Snooze 10 min");
    //: Title of the notification shown while an alarm is snoozed; %1 the time it rings, hh:mm
    m.snoozedUntil = tx.translate("MainWindow", "Snoozed until %1");
    //: Button of the snooze notification: the alarm does not ring at the snooze's time
    m.cancelSnooze = tx.translate("MainWindow", "Cancel snooze");
    //: What a click on the ringing alarm's notification does: the alarm's window comes forward
    m.showAlarm = tx.translate("MainWindow", "Show the alarm");
    //: Shown by the desktop as the reason the computer does not go to sleep
    m.keepAwake = tx.translate("MainWindow", "An alarm is about to ring or ringing");
    //: The weekday list shows the first three letters of each weekday; "All" is the first entry.
    //: The English weekday names end in "dag" on purpose: that is how the program writes them.
    m.weekdayNames = {tx.translate("MainWindow", "All", "every day of the week"),
                      tx.translate("MainWindow", "Sundag"),
                      tx.translate("MainWindow", "Mondag"),
                      tx.translate("MainWindow", "Tuesdag"),
                      tx.translate("MainWindow", "Wednesdag"),
                      tx.translate("MainWindow", "Thursdag"),
                      tx.translate("MainWindow", "Fridag"),
                      tx.translate("MainWindow", "Saturdag")};
    m.monthNames = {QString(),
                    tx.translate("MainWindow", "January"),
                    tx.translate("MainWindow", "February"),
                    tx.translate("MainWindow", "March"),
                    tx.translate("MainWindow", "April"),
                    tx.translate("MainWindow", "May", "month"),
                    tx.translate("MainWindow", "June"),
                    tx.translate("MainWindow", "July"),
                    tx.translate("MainWindow", "August"),
                    tx.translate("MainWindow", "September"),
                    tx.translate("MainWindow", "October"),
                    tx.translate("MainWindow", "November"),
                    tx.translate("MainWindow", "December")};
    //: The date line: %1 weekday, %2 month, %3 day of the month, %4 year,
    //: for example "Wednesdag March, 5 2003"
    m.dateLayout = tx.translate("MainWindow", "%1 %2, %3 %4", "date line");
    return m;
}

WelcomeTexts welcomeTexts(const TextSource &tx) {
    WelcomeTexts w;
    w.title = tx.translate("WelcomeWindow", "Vekora", "the program's short name");
    w.greeting = lines({tx.translate("WelcomeWindow", "Welcome to Vekora."),
                        tx.translate("WelcomeWindow", "The next window is only rarely shown.")});
    w.helpVideo = tx.translate("WelcomeWindow", "Help video");
    w.noHelpVideo = tx.translate("WelcomeWindow", "No help video");
    w.helpVideoTip = tx.translate("WelcomeWindow", "Opens Help at instruction video access.");
    w.languageTip = tx.translate("WelcomeWindow", "The language can be changed at any time.");
    //: What a screen reader calls the welcome window, which has no title bar
    w.windowName = tx.translate("WelcomeWindow", "Welcome to Vekora");
    //: What a screen reader calls the language list, before the list's tool tip
    w.languageName = tx.translate("WelcomeWindow", "Language");
    return w;
}

AboutTexts aboutTexts(const TextSource &tx) {
    AboutTexts a;
    a.productName = tx.translate("AboutWindow", "Norvak Vekora", "product name");
    a.closeCaption = tx.translate("AboutWindow", "Close", "button that closes the window");
    a.greeting = tx.translate("AboutWindow", "With compliments");
    a.contactPerson =
        lines({QStringLiteral("Ejnar Klokkerholm"),
               tx.translate("AboutWindow", "M.Sc. (Eng.), B.Com., Managing Director")});
    a.address = lines(
        {QStringLiteral("Norvak ApS"),
         tx.translate("AboutWindow",
                      "Urværksvej 1, DK-9999 Klokkerup, Denmark, www.norvak.example.com"),
         tx.translate("AboutWindow",
                      "Phone +45 0000 0000, fax +45 0000 0001, e-mail info@norvak.example.com")});
    a.services = lines(
        {tx.translate("AboutWindow", "Norvak makes small, dependable programs for the desktop."),
         tx.translate("AboutWindow",
                      "Custom software, consulting and training: see www.norvak.example.com.")});
    a.terms = lines(
        {tx.translate("AboutWindow", "Freeware: may be copied and shared freely, but not sold."),
         tx.translate("AboutWindow", "© Norvak. All rights reserved.")});
    a.copyTip = tx.translate("AboutWindow", "Copying: Select text + Ctrl-C.");
    return a;
}

StringTable table(const TextSource &tx) {
    return {mainTexts(tx), welcomeTexts(tx), aboutTexts(tx)};
}

} // namespace

StringTable currentStrings() {
    return table(TextSource());
}

StringTable strings(const LanguageInfo &language) {
    QTranslator catalog;
    loadProgramCatalog(catalog, language.code);
    return table(TextSource(&catalog));
}

StringTable strings(Language language) {
    return strings(languageAt(programLanguages(), static_cast<int>(language)));
}

bool loadProgramCatalog(QTranslator &catalog, const QString &code) {
    return catalog.load(QStringLiteral("vekora_") + code, QStringLiteral(":/i18n"));
}

QString soundCaption(const MainTexts &texts) {
    return texts.soundMenu.arg(QStringLiteral("((o))"));
}

QString nameAndTip(const QString &name, const QString &tip) {
    return tip.isEmpty() ? name : name + QStringLiteral(". ") + tip;
}

QString platformLine(const QString &vers) {
    return QCoreApplication::translate("AboutWindow", "Version %1 for Linux").arg(vers);
}

QString versionText() {
    return QStringLiteral("%1.%2.%3")
        .arg(VEKORA_VERSION_MAJOR)
        .arg(VEKORA_VERSION_MINOR)
        .arg(VEKORA_VERSION_PATCH);
}

std::array<QString, 8> weekdayEntries(const MainTexts &texts) {
    std::array<QString, 8> entries;
    entries[0] = texts.weekdayNames[0];
    for (std::size_t i = 1; i < entries.size(); ++i)
        entries[i] = texts.weekdayNames[i].left(3);
    return entries;
}
