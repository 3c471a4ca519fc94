#include "core/strings.h"

namespace {

const QString crlf = QStringLiteral("\r\n");

StringTable english() {
    StringTable t;
    MainTexts &m = t.main;
    m.frameCaption = QStringLiteral("Alarm");
    m.hint = QStringLiteral("Right-click for general menu.");
    m.frameTipPrefix = QStringLiteral("Alarm settings. ");
    m.timeTipPrefix = QStringLiteral("Actual time. ");
    m.dateTipPrefix = QStringLiteral("Actual date. ");
    m.switchTipPrefix = QStringLiteral("Alarm On/Off. ");
    m.alarmTimeTip = QStringLiteral("Alarm time in almost any 24h time format, for example: 0945.");
    m.messageTip = QStringLiteral("Alarm message. Copying: Select text + Ctrl-C.");
    m.dayTip = QStringLiteral("Select alarmday of the week.");
    m.menuMin = QStringLiteral("Minimize");
    m.soundWord = QStringLiteral("Sound");
    m.menuLanguage = QStringLiteral("Language");
    m.menuHelp = QStringLiteral("Help");
    m.menuAbout = QStringLiteral("About");
    m.menuExit = QStringLiteral("Exit");
    m.stattxt = {QStringLiteral("Error!"), QStringLiteral("Stop"), QString(),
                 QStringLiteral("On"),     QStringLiteral("Off"),  QStringLiteral("Norvak Vekora")};
    m.stp = QStringLiteral("Do you really want to exit Vekora?");
    m.errtxt = QStringLiteral("Repair the error in the alarm time field!");
    m.helpFile = QStringLiteral("VKhelp-en.html");
    m.helpMissing = QStringLiteral("The help page could not be opened:") + crlf;
    m.saveFailed =
        QStringLiteral("Vekora could not save its settings in %1:") + crlf + QStringLiteral("%2");
    m.missedAlarm = QStringLiteral("Missed alarm: %1 %2");
    m.lateNote = QStringLiteral("Rings %1 min. late.");
    m.keepAwake = QStringLiteral("An alarm is about to ring or ringing");
    m.daytxt = {QStringLiteral("All"),     QStringLiteral("Sundag"),    QStringLiteral("Mondag"),
                QStringLiteral("Tuesdag"), QStringLiteral("Wednesdag"), QStringLiteral("Thursdag"),
                QStringLiteral("Fridag"),  QStringLiteral("Saturdag")};
    m.monthtxt = {QString(),
                  QStringLiteral("January"),
                  QStringLiteral("February"),
                  QStringLiteral("March"),
                  QStringLiteral("April"),
                  QStringLiteral("May"),
                  QStringLiteral("June"),
                  QStringLiteral("July"),
                  QStringLiteral("August"),
                  QStringLiteral("September"),
                  QStringLiteral("October"),
                  QStringLiteral("November"),
                  QStringLiteral("December")};

    WelcomeTexts &w = t.welcome;
    w.title = QStringLiteral("Vekora");
    w.greeting = QStringLiteral("Welcome to Vekora.") + crlf +
                 QStringLiteral("The next window is only rarely shown.");
    w.helpVideo = QStringLiteral("Help video");
    w.noHelpVideo = QStringLiteral("No help video");
    w.helpVideoTip = QStringLiteral("Opens Help at instruction video access.");
    w.languageTip = QStringLiteral("The language can be changed at any time.");

    AboutTexts &a = t.about;
    a.productName = QStringLiteral("Norvak Vekora");
    a.closeCaption = QStringLiteral("Close");
    a.greeting = QStringLiteral("With compliments");
    a.haldorin = QStringLiteral("Ejnar Klokkerholm") + crlf +
                 QStringLiteral("M.Sc. (Eng.), B.Com., Managing Director");
    a.adress =
        QStringLiteral("Norvak ApS") + crlf +
        QStringLiteral("Urværksvej 1, DK-9999 Klokkerup, Denmark, www.norvak.example.com") + crlf +
        QStringLiteral("Phone +45 0000 0000, fax +45 0000 0001, e-mail info@norvak.example.com");
    a.norvakinfo =
        QStringLiteral("Norvak makes small, dependable programs for the desktop.") + crlf +
        QStringLiteral("Custom software, consulting and training: see www.norvak.example.com.");
    a.licenseTo = QStringLiteral("Freeware: may be copied and shared freely, but not sold.") +
                  crlf + QStringLiteral("© Norvak. All rights reserved.");
    a.copyTip = QStringLiteral("Copying: Select text + Ctrl-C.");
    return t;
}

StringTable danish() {
    StringTable t;
    MainTexts &m = t.main;
    m.frameCaption = QStringLiteral("Alarm");
    m.hint = QStringLiteral("Højreklik for generel menu.");
    m.frameTipPrefix = QStringLiteral("Alarmindstillinger. ");
    m.timeTipPrefix = QStringLiteral("Aktuel tid. ");
    m.dateTipPrefix = QStringLiteral("Aktuel dato. ");
    m.switchTipPrefix = QStringLiteral("Alarm Til/Fra. ");
    // The missing "(" is how the program has always shown it.
    m.alarmTimeTip = QStringLiteral("Alarmtid i næsten ethvert 24-timers tidsformat, fx 0945)");
    m.messageTip = QStringLiteral("Alarm meddelelse. Kopiering: Marker tekst + Ctrl-C.");
    m.dayTip = QStringLiteral("Vælg alarm ugedag.");
    m.menuMin = QStringLiteral("Minimer");
    m.soundWord = QStringLiteral("Lyd");
    m.menuLanguage = QStringLiteral("Sprog");
    m.menuHelp = QStringLiteral("Hjælp");
    m.menuAbout = QStringLiteral("Om Vekuret");
    m.menuExit = QStringLiteral("Luk");
    m.stattxt = {QStringLiteral("Fejl!"), QStringLiteral("Stop"), QString(),
                 QStringLiteral("Til"),   QStringLiteral("Fra"),  QStringLiteral("Norvak Vekuret")};
    m.stp = QStringLiteral("Er du sikker på, du vil afslutte Vekuret?");
    m.errtxt = QStringLiteral("Reparer fejlen i feltet med alarmtid!");
    m.helpFile = QStringLiteral("VKhelp-da.html");
    m.helpMissing = QStringLiteral("Hjælpesiden kunne ikke åbnes:") + crlf;
    m.saveFailed = QStringLiteral("Vekuret kunne ikke gemme indstillingerne i %1:") + crlf +
                   QStringLiteral("%2");
    m.missedAlarm = QStringLiteral("Mistet alarm: %1 %2");
    m.lateNote = QStringLiteral("Ringer %1 min. for sent.");
    m.keepAwake = QStringLiteral("En alarm ringer snart eller ringer nu");
    m.daytxt = {QStringLiteral("Alle"),    QStringLiteral("Søndag"), QStringLiteral("Mandag"),
                QStringLiteral("Tirsdag"), QStringLiteral("Onsdag"), QStringLiteral("Torsdag"),
                QStringLiteral("Fredag"),  QStringLiteral("Lørdag")};
    m.monthtxt = {QString(),
                  QStringLiteral("januar"),
                  QStringLiteral("februar"),
                  QStringLiteral("marts"),
                  QStringLiteral("april"),
                  QStringLiteral("maj"),
                  QStringLiteral("juni"),
                  QStringLiteral("juli"),
                  QStringLiteral("august"),
                  QStringLiteral("september"),
                  QStringLiteral("oktober"),
                  QStringLiteral("november"),
                  QStringLiteral("december")};

    WelcomeTexts &w = t.welcome;
    w.title = QStringLiteral("Vekuret");
    w.greeting = QStringLiteral("Velkommen til Vekuret.") + crlf +
                 QStringLiteral("Næste vindue vises kun sjældent.");
    w.helpVideo = QStringLiteral("Hjælp video");
    w.noHelpVideo = QStringLiteral("Ingen Hjælp video");
    w.helpVideoTip = QStringLiteral("Åbner Hjælp ved start af instruktionsvideo.");
    w.languageTip = QStringLiteral("Sproget kan ændres når som helst.");

    AboutTexts &a = t.about;
    a.productName = QStringLiteral("Norvak Vekuret");
    a.closeCaption = QStringLiteral("Luk");
    a.greeting = QStringLiteral("Med venlig hilsen");
    a.haldorin = QStringLiteral("Ejnar Klokkerholm") + crlf +
                 QStringLiteral("Cand.polyt., HD, administrerende direktør");
    a.adress =
        QStringLiteral("Norvak ApS") + crlf +
        QStringLiteral("Urværksvej 1, DK-9999 Klokkerup, Danmark, www.norvak.example.com") + crlf +
        QStringLiteral("Tlf. +45 0000 0000, fax +45 0000 0001, e-mail info@norvak.example.com");
    a.norvakinfo =
        QStringLiteral("Norvak laver små, pålidelige programmer til skrivebordet.") + crlf +
        QStringLiteral("Software efter mål, rådgivning og kurser: se www.norvak.example.com.");
    a.licenseTo = QStringLiteral("Freeware: må frit kopieres og deles, men ikke sælges.") + crlf +
                  QStringLiteral("© Norvak. Alle rettigheder forbeholdes.");
    a.copyTip = QStringLiteral("Kopiering: Marker tekst + Ctrl-C.");
    return t;
}

} // namespace

const StringTable &strings(Language language) {
    static const StringTable tables[] = {english(), danish()};
    // Anything but Danish reads English, so a damaged index can never address past the tables.
    return language == Language::Danish ? tables[1] : tables[0];
}

QString soundCaption(const MainTexts &texts) {
    return texts.soundWord + QStringLiteral(" ((o))");
}

QString platformLine(const QString &vers) {
    return QStringLiteral("Version ") + vers + QStringLiteral(" for Linux");
}

QString versionText() {
    return QStringLiteral("%1.%2.%3")
        .arg(VEKORA_VERSION_MAJOR)
        .arg(VEKORA_VERSION_MINOR)
        .arg(VEKORA_VERSION_PATCH);
}

std::array<QString, 8> weekdayEntries(const MainTexts &texts) {
    std::array<QString, 8> entries;
    entries[0] = texts.daytxt[0];
    for (std::size_t i = 1; i < entries.size(); ++i)
        entries[i] = texts.daytxt[i].left(3);
    return entries;
}
