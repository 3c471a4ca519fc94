// What a screen reader hears: each control named by what it shows, its tool tip as description,
// in the current language (the running program read over the accessibility bus:
// tests/program/screen_reader.py).

#include "fakes.h"

#include <QAccessible>
#include <QLineEdit>
#include <QtTest>

#include <QMetaEnum>

namespace {

const QString errorDa = QStringLiteral("Reparer fejlen i feltet med alarmtid!");

const QString hint = QStringLiteral(" Right-click for general menu.");

// The main window started in the language, owning an About and a welcome window in the same one.
struct Windows {
    TestRig rig;
    std::unique_ptr<MainWindow> main;
    explicit Windows(int language) {
        rig.clock.set(QDate(2026, 12, 7), 9, 5, 7);
        main = rig.started(iniWithAlarm(QStringLiteral("07:30"), 2));
        if (language)
            main->controller().setLanguage(language);
        main->controller().tick();
        main->aboutWindow();
        const StringTable table = strings(Language(language));
        (new WelcomeWindow(main.get()))->applyTexts(table.welcome, table.welcome.helpVideo);
    }
    // "object Role name | description" for the control named by the first word of each line.
    QStringList heard(const QStringList &lines) const {
        QStringList said;
        for (const QString &line : lines) {
            const QString object = line.section(u' ', 0, 0);
            QObject *control =
                object == main->objectName() ? main.get() : main->findChild<QObject *>(object);
            QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(control);
            const char *role = QMetaEnum::fromType<QAccessible::Role>().valueToKey(iface->role());
            said << QStringLiteral("%1 %2 %3 | %4")
                        .arg(object, QLatin1String(role), iface->text(QAccessible::Name),
                             iface->text(QAccessible::Description));
        }
        return said;
    }
};

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT

private slots:
    void everyControlInEnglish() {
        const QStringList lines{
            "mainWindow Client Norvak Vekora | ",
            "dateLine StaticText Mondag December, 7 2026 | Actual date." + hint,
            "timeDisplay StaticText 09:05:07 | Actual time." + hint,
            "alarmFrame Grouping Alarm | Alarm settings." + hint,
            "weekdayBox ComboBox Mon | Alarm day. Select alarmday of the week.",
            "alarmField EditableText Alarm time | "
            "Alarm time in almost any 24h time format, for example: 0945.",
            "messageField EditableText Alarm message | Alarm message. Copying: Select text + "
            "Ctrl-C.",
            "alarmSwitch Button On ((o)) | Alarm On/Off." + hint,
            "welcomeWindow Dialog Welcome to Vekora | ",
            "Combo1 ComboBox  | Language. The language can be changed at any time.",
            "Command1 Button => Hjælp video | Opens Help at instruction video access.",
            "aboutWindow Dialog Norvak Vekora | ",
            "cmdClose Button Close | ",
            "txtAdress EditableText  | Copying: Select text + Ctrl-C.",
        };
        QCOMPARE(Windows(0).heard(lines), lines);
    }

    void danishAfterTheSwitch() {
        const QStringList lines{
            "mainWindow Client Norvak Vekuret | ",
            "alarmField EditableText Alarmtid | "
            "Alarmtid i næsten ethvert 24-timers tidsformat, fx 0945.",
            "alarmSwitch Button Til ((o)) | Alarm Til/Fra. Højreklik for generel menu.",
            "Combo1 ComboBox  | Sprog. Sproget kan ændres når som helst.",
            "cmdClose Button Luk | ",
        };
        QCOMPARE(Windows(1).heard(lines), lines);
    }

    // The switch says its state; an unreadable alarm time is said before anything else about the
    // field, for as long as the field shows it red.
    void statesAreSaid() {
        Windows windows(0);
        auto *field = child<QLineEdit>(*windows.main, "alarmField");
        const QString tip = field->toolTip();
        clickSwitch(*windows.main);
        QStringList said = windows.heard({"alarmSwitch"});
        windows.main->controller().setSwitchState(SwitchState::Ringing);
        said << windows.heard({"alarmSwitch"});
        for (const char *time : {"24:00", "9.45"}) {
            field->setText(QString::fromLatin1(time));
            said << windows.heard({"alarmSwitch", "alarmField"});
        }
        QCOMPARE(said, QStringList({"alarmSwitch Button Off | Alarm On/Off." + hint,
                                    "alarmSwitch Button Stop | Alarm On/Off." + hint,
                                    "alarmSwitch Button Error! | Alarm On/Off." + hint,
                                    "alarmField EditableText Alarm time | Repair the error in the "
                                    "alarm time field! " +
                                        tip,
                                    "alarmSwitch Button On ((o)) | Alarm On/Off." + hint,
                                    "alarmField EditableText Alarm time | " + tip}));
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
