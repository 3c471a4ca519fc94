// The program's texts: exact where they are composed, complete in every catalog, a third language
// switched in and out at run time, and Qt's own texts following the language.

#include "core/clocktexts.h"
#include "fakes.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QtTest>

namespace {

MainTexts texts(bool danish) {
    return strings(danish ? Language::Danish : Language::English).main;
}

// Every text of a language's tables, always in the same order, so two languages compare field
// by field.
QStringList allTexts(const StringTable &t) {
    const MainTexts &m = t.main;
    QStringList texts{m.frameCaption, m.hint,         m.frameTip,    m.timeTip,    m.dateTip,
                      m.switchTip,    m.alarmTimeTip, m.messageTip,  m.dayTip,     m.menuMin,
                      m.soundMenu,    m.menuLanguage, m.menuHelp,    m.menuAbout,  m.menuExit,
                      m.stp,          m.errtxt,       m.helpMissing, m.dateLayout, m.alarmTimeName,
                      m.messageName,  m.dayName};
    texts << QStringList(m.stattxt.begin(), m.stattxt.end())
          << QStringList(m.daytxt.begin(), m.daytxt.end())
          << QStringList(m.monthtxt.begin(), m.monthtxt.end());
    const WelcomeTexts &w = t.welcome;
    texts << w.title << w.greeting << w.helpVideo << w.noHelpVideo << w.helpVideoTip
          << w.languageTip << w.windowName << w.languageName;
    const AboutTexts &a = t.about;
    texts << a.productName << a.closeCaption << a.greeting << a.haldorin << a.adress << a.norvakinfo
          << a.licenseTo << a.copyTip;
    return texts;
}

// The test-only language: its catalog vekora_xx is embedded in this test alone.
LanguageInfo pseudo() {
    return {QStringLiteral("xx"), QStringLiteral("Pseudo"), QStringLiteral("Pseudo (test)"),
            QStringLiteral("VekoraXx.avi"), QLatin1Char('X')};
}

// Every text a user can see in a window and its children, with the control it belongs to.
QStringList shownTexts(const QWidget &window) {
    QStringList texts{window.windowTitle()};
    for (const QObject *object : window.findChildren<QObject *>()) {
        const QString name = object->objectName() + QLatin1Char('=');
        for (const char *property : {"text", "title", "toolTip", "plainText", "currentText"}) {
            const QVariant value = object->property(property);
            if (value.isValid())
                texts << name + property + QLatin1Char(':') + value.toString();
        }
        if (const auto *box = qobject_cast<const QComboBox *>(object))
            for (int i = 0; i < box->count(); ++i)
                texts << name + box->itemText(i);
    }
    return texts;
}

} // namespace

class TestLanguages : public QObject {
    Q_OBJECT

private slots:
    // The Danish letters survive the trip from source to screen, and the shortened weekdays cut
    // characters, not bytes.
    void exactTexts() {
        const MainTexts da = texts(true);
        const std::pair<QString, const char *> cases[] = {
            {da.stp, "Er du sikker på, du vil afslutte Vekuret?"},
            {weekdayEntries(da)[7], "Lør"},
            {soundCaption(da), "Lyd ((o))"},
            {platformLine(QStringLiteral("1.0.1")), "Version 1.0.1 for Linux"},
            {timeText(3723), "01:02:03"},
            {timeText(86400), "24:00:00"},
        };
        for (const auto &[actual, expected] : cases)
            QCOMPARE(actual, QString::fromUtf8(expected));
    }

    // The Danish catalog has a text for every English one: the only texts both languages share
    // are those that read the same in Danish.
    void danishCatalogIsComplete() {
        const QStringList en = allTexts(strings(Language::English));
        const QStringList da = allTexts(strings(Language::Danish));
        QCOMPARE(da.size(), en.size());
        QStringList same;
        for (qsizetype i = 0; i < en.size(); ++i)
            if (en[i] == da[i] && !en[i].isEmpty())
                same << en[i];
        QCOMPARE(same, (QStringList{"Alarm", "Stop"}));
    }

    void dateLine() {
        const QDate wed(2003, 3, 5);
        struct {
            int language; // -1 none chosen
            QDate date;
            const char *expected;
        } const cases[] = {
            {0, wed, "Wednesdag March, 5 2003"},
            {1, wed, "Onsdag 5. marts 2003"},
            {-1, wed, "Wednesdag 2003"},
            {1, QDate(2023, 1, 1), "Søndag 1. januar 2023"},
        };
        for (const auto &c : cases) {
            const auto chosen = c.language < 0 ? std::nullopt : std::optional(Language(c.language));
            QCOMPARE(::dateLine(chosen, texts(c.language == 1), c.date),
                     QString::fromUtf8(c.expected));
        }
    }

    void minimisedCaption() {
        const int wed = 4, sat = 7;
        struct {
            bool danish;
            int dayIndex, weekday; // weekday: today, Sunday = 1
            bool passed, armed, sound;
            const char *expected;
        } const cases[] = {
            {false, 0, sat, true, true, true, "Su 07:30 ((o))"}, // passed: tomorrow, past Saturday
            {false, wed, wed, false, true, true, "07:30 ((o))"},
            {false, wed, wed, true, true, true, "We 07:30 ((o))"},
            {false, 2, wed, false, true, false, "Mo 07:30"},
            {false, 2, wed, false, false, true, "Off"},
            {true, sat, wed, false, true, true, "Lø 07:30 ((o))"}};
        for (const auto &c : cases) {
            AlarmModel alarm;
            alarm.setSound(c.sound);
            alarm.setWeekday(c.dayIndex);
            alarm.setAlarm(QStringLiteral("07:30"), 27000);
            if (!c.armed)
                alarm.setSwitchState(SwitchState::Off);
            const ClockSample now{c.passed ? 27000.5 : 26999.5,
                                  QDate(2026, 12, 6).addDays(c.weekday - 1)}; // a Sunday on
            QCOMPARE(::minimisedCaption(texts(c.danish), alarm, now),
                     QString::fromUtf8(c.expected));
        }
    }
    // Every text the program has goes through the catalogs: in the pseudo-language each line of
    // each text is its English line in brackets. Only the maker's names are never translated.
    void everyTextIsInTheCatalog() {
        const QStringList en = allTexts(strings(Language::English));
        const QStringList xx = allTexts(strings(pseudo()));
        QCOMPARE(xx.size(), en.size());
        const QStringList names{"Ejnar Klokkerholm", "Norvak ApS"};
        for (qsizetype i = 0; i < en.size(); ++i) {
            QStringList expected;
            for (const QString &line : en[i].split(QStringLiteral("\r\n"), Qt::SkipEmptyParts))
                expected << (names.contains(line) ? line : u'[' + line + u']');
            QCOMPARE(xx[i], expected.join(QStringLiteral("\r\n")));
        }
    }

    // One more row in the list is all a language needs: a menu item, its texts everywhere, its
    // date layout, its help page and its number in the settings file; and switching back gives
    // exactly the texts the window had before.
    void thirdLanguageSwitchesInAndOut() {
        TestRig rig;
        Platform platform = rig.platform();
        platform.languages.append(pseudo());
        rig.writeIni(iniWithAlarm(QStringLiteral("07:30"), 3));
        auto form = std::make_unique<MainWindow>(platform);
        form->findChild<QTimer *>(QStringLiteral("tickTimer"))->stop();
        form->start();
        form->controller().tick();
        const QStringList english = shownTexts(*form) + shownTexts(*form->aboutWindow());

        QList<QAction *> items = form->generalMenu()->findChild<QMenu *>("languageMenu")->actions();
        QCOMPARE(items.size(), 3);
        form->controller().setLanguage(-1); // no choice, no change
        QVERIFY(!form->controller().model().changed());
        items[2]->trigger();
        QVERIFY(form->controller().model().changed());
        // A choice of one: the style draws radio items for an exclusive group, not tick boxes.
        QVERIFY(items[2]->actionGroup() && items[2]->actionGroup()->isExclusive());
        QVERIFY(!items[0]->isChecked() && !items[1]->isChecked() && items[2]->isChecked());
        QCOMPARE(form->controller().language(), std::optional(Language(2)));
        form->controller().tick();
        QCOMPARE(
            (QStringList{form->windowTitle(), child<QLabel>(*form, "dateLine")->text(),
                         child<QPushButton>(*form, "alarmSwitch")->text(),
                         child<QComboBox>(*form, "weekdayBox")->currentText()}),
            (QStringList{"[Norvak Vekora]", "[[Mondag] [December], 7 2026]", "[On] ((o))", "[Tu"}));
        QCOMPARE(form->controller().helpPath(), rig.folder() + QStringLiteral("VKhelp-xx.html"));
        form->controller().saveSettings();
        QCOMPARE(rig.iniLines().value(0), QStringLiteral("2"));

        items[0]->trigger();
        form->controller().tick(); // the date line follows at the next tick
        QCOMPARE(shownTexts(*form) + shownTexts(*form->aboutWindow()), english);
    }

    // Qt's own catalog comes and goes with the program's: the exit question answers Ja/Nej in
    // Danish.
    void qtTextsFollowTheLanguage() {
        TestRig rig;
        auto form = rig.started(iniWithAlarm(QStringLiteral("07:30")));
        const auto exitButtons = [&form] {
            QStringList seen;
            onNextModal([&seen](QWidget *modal) {
                auto *box = qobject_cast<QMessageBox *>(modal);
                seen << box->button(QMessageBox::Yes)->text()
                     << box->button(QMessageBox::No)->text();
                box->button(QMessageBox::No)->click();
            });
            form->exitAsked();
            return seen;
        };
        form->controller().setLanguage(1);
        QCOMPARE(exitButtons(), (QStringList{"&Ja", "&Nej"}));
        form->controller().setLanguage(0);
        QCOMPARE(exitButtons(), (QStringList{"&Yes", "&No"}));
    }
};

QTEST_MAIN(TestLanguages)
#include "tst_languages.moc"
