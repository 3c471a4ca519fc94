#include "lang/strings.h"
#include "main/display.h"

#include <QTest>

namespace {
const MainTexts &en() {
    return strings(Language::English).main;
}
const MainTexts &da() {
    return strings(Language::Danish).main;
}
} // namespace

class TstTexts : public QObject {
    Q_OBJECT

private slots:
    void exactTexts_data();
    void exactTexts();
    void bothTables();
    void dateLine_data();
    void dateLine();
    void minimisedCaption_data();
    void minimisedCaption();
};

void TstTexts::exactTexts_data() {
    QTest::addColumn<QString>("actual");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char *name, const QString &actual, const char *expected) {
        QTest::newRow(name) << actual << QString::fromUtf8(expected);
    };
    row("da hint", da().hint, "Højreklik for generel menu.");
    row("da alarm tip", da().alarmTimeTip,
        "Alarmtid i næsten ethvert 24-timers tidsformat, fx 0945)");
    row("da exit", da().stp, "Er du sikker på, du vil afslutte Vekuret?");
    row("en Sunday", en().daytxt[1], "Sundag");
    row("en Saturday", en().daytxt[7], "Saturdag");
    row("da month", da().monthtxt[3], "marts");
    row("stattxt 2", en().stattxt[2] + da().stattxt[2], "");
    row("help pages", en().helpFile + da().helpFile, "VKhelp-en.htmlVKhelp-da.html");
    row("da greeting", strings(Language::Danish).welcome.greeting,
        "Velkommen til Vekuret.\r\nNæste vindue vises kun sjældent.");
    row("da no video", strings(Language::Danish).welcome.noHelpVideo, "Ingen Hjælp video");
    row("en sound", soundCaption(en()), "Sound ((o))");
    row("da sound", soundCaption(da()), "Lyd ((o))");
    row("platform", platformLine(QStringLiteral("1.0.1")), "Version 1.0.1 for Windows 95+/NT3+");
    row("version", versionText(), "1.0.1");
    row("en list", weekdayEntries(en()).front() + weekdayEntries(en())[4], "AllWed");
    row("da Søn", weekdayEntries(da())[1], "Søn");
    row("da Lør", weekdayEntries(da())[7], "Lør");
    row("time single digits", timeText(3723), "01:02:03");
    row("time at 86400", timeText(86400), "24:00:00");
}

void TstTexts::exactTexts() {
    QFETCH(QString, actual);
    QFETCH(QString, expected);
    QCOMPARE(actual, expected);
}

void TstTexts::bothTables() {
    for (Language language : {Language::English, Language::Danish}) {
        const StringTable &t = strings(language);
        for (std::size_t i = 0; i < 8; ++i)
            QVERIFY(!t.main.daytxt[i].isEmpty());
        for (std::size_t i = 1; i < 13; ++i)
            QVERIFY(!t.main.monthtxt[i].isEmpty());
        // The path is appended straight after it, on a line of its own.
        QVERIFY(t.main.helpMissing.size() > 2 && t.main.helpMissing.endsWith(u"\r\n"));

        const AboutTexts &a = t.about;
        const auto lines = [](const QString &text) {
            return text.split(QStringLiteral("\r\n")).size();
        };
        QCOMPARE(lines(a.haldorin), 2);
        QCOMPARE(lines(a.adress), 3);
        QCOMPARE(lines(a.norvakinfo), 2);
        QCOMPARE(lines(a.licenseTo), 2);
        QVERIFY(a.adress.contains(u"www.norvak.example.com"));
        QVERIFY(a.adress.contains(language == Language::English ? QStringLiteral("Denmark")
                                                                : QStringLiteral("Danmark")));
    }
}

void TstTexts::dateLine_data() {
    QTest::addColumn<int>("language"); // -1 none chosen
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("expected");
    const QDate wed(2003, 3, 5);
    QTest::newRow("en") << 0 << wed << QStringLiteral("Wednesdag March, 5 2003");
    QTest::newRow("da") << 1 << wed << QStringLiteral("Onsdag 5. marts 2003");
    QTest::newRow("none") << -1 << wed << QStringLiteral("Wednesdag 2003");
    QTest::newRow("en Saturday") << 0 << QDate(2024, 12, 21)
                                 << QStringLiteral("Saturdag December, 21 2024");
    QTest::newRow("da Sunday") << 1 << QDate(2023, 1, 1) << QStringLiteral("Søndag 1. januar 2023");
}

void TstTexts::dateLine() {
    QFETCH(int, language);
    QFETCH(QDate, date);
    QFETCH(QString, expected);
    std::optional<Language> lang;
    if (language >= 0)
        lang = static_cast<Language>(language);
    QCOMPARE(::dateLine(lang, language == 1 ? da() : en(), date), expected);
}

void TstTexts::minimisedCaption_data() {
    QTest::addColumn<bool>("danish");
    QTest::addColumn<int>("dayIndex");
    QTest::addColumn<int>("weekday");
    QTest::addColumn<bool>("passed"); // the alarm time is behind us today
    QTest::addColumn<bool>("armed");
    QTest::addColumn<bool>("sound");
    QTest::addColumn<QString>("expected");
    const int wed = 4, sat = 7;
    const auto row = [](const char *name, bool danish, int dayIndex, int weekday, bool passed,
                        bool armed, bool sound, const char *expected) {
        QTest::newRow(name) << danish << dayIndex << weekday << passed << armed << sound
                            << QString::fromUtf8(expected);
    };
    row("every day, ahead", false, 0, wed, false, true, true, "07:30 ((o))");
    row("every day, passed", false, 0, wed, true, true, true, "Th 07:30 ((o))");
    row("every day, passed, Sat", false, 0, sat, true, true, true, "Su 07:30 ((o))");
    row("today, ahead", false, wed, wed, false, true, true, "07:30 ((o))");
    row("today, passed", false, wed, wed, true, true, true, "We 07:30 ((o))");
    row("other day", false, 2, wed, false, true, true, "Mo 07:30 ((o))");
    row("sound off", false, 2, wed, false, true, false, "Mo 07:30");
    row("nothing chosen", false, -1, wed, false, true, true, " 07:30 ((o))");
    row("off or error", false, 2, wed, false, false, true, "Off");
    row("da off", true, 0, wed, false, false, true, "Fra");
    row("da today, ahead", true, wed, wed, false, true, true, "07:30 ((o))");
    row("da other day", true, sat, wed, false, true, true, "Lø 07:30 ((o))");
    row("da every day, passed, Sat", true, 0, sat, true, true, true, "Sø 07:30 ((o))");
}

void TstTexts::minimisedCaption() {
    QFETCH(bool, danish);
    QFETCH(int, dayIndex);
    QFETCH(int, weekday);
    QFETCH(bool, passed);
    QFETCH(bool, armed);
    QFETCH(bool, sound);
    QFETCH(QString, expected);
    const MainTexts &texts = danish ? da() : en();
    CaptionInputs in;
    in.dayIndex = dayIndex;
    in.dayText = dayIndex < 0 ? QString() : weekdayEntries(texts)[std::size_t(dayIndex)];
    in.alarmTime = 27000; // 07:30
    in.seconds = passed ? 27000.5 : 26999.5;
    in.weekday = weekday;
    in.armedShown = armed;
    in.alarmText = QStringLiteral("07:30");
    in.lyd = sound ? QStringLiteral(" ((o))") : QString();
    QCOMPARE(::minimisedCaption(texts, in), expected);
}

QTEST_GUILESS_MAIN(TstTexts)
#include "tst_texts.moc"
