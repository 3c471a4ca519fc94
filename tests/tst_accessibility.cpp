// What a screen reader hears: each control named by what it shows, its tool tip as description,
// in the current language; and the running program read the way a screen reader reads it.

#include "core/clocktexts.h"
#include "fakes.h"

#include <QAccessible>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QDBusVariant>
#include <QLineEdit>
#include <QProcess>
#include <QTime>
#include <QtTest>

#include <QMetaEnum>

namespace {

const QString errorDa = QStringLiteral("Reparer fejlen i feltet med alarmtid!");

const QString hint = QStringLiteral(" Right-click for general menu.");

// The main window started in the language, owning an About and a welcome window in the same one.
struct Windows {
    TestRig rig;
    std::unique_ptr<Form1> main;
    explicit Windows(int language) {
        rig.clock.set(QDate(2026, 12, 7), 9, 5, 7);
        main = rig.started(iniWithAlarm(QStringLiteral("07:30"), 2));
        if (language)
            main->menuLang_Click(language);
        main->Timer1_Timer();
        main->aboutWindow();
        const StringTable table = strings(Language(language));
        (new FrmInit(main.get()))->applyTexts(table.welcome, table.welcome.helpVideo);
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

// One object on the accessibility bus, as a screen reader sees it.
struct Node {
    QString service, path, role, name, description;
};

// Every object of an application below `path`.
QList<Node> below(const QDBusConnection &bus, const QString &service, const QString &path) {
    const auto ask = [&](const QString &at, const char *interface, const char *method,
                         const QVariantList &arguments = {}) {
        QDBusMessage message = QDBusMessage::createMethodCall(service, at, QLatin1String(interface),
                                                              QLatin1String(method));
        message.setArguments(arguments);
        return bus.call(message, QDBus::Block, 2000).arguments().value(0);
    };
    const auto property = [&](const QString &at, const char *name) {
        return ask(at, "org.freedesktop.DBus.Properties", "Get",
                   {QStringLiteral("org.a11y.atspi.Accessible"), QLatin1String(name)})
            .value<QDBusVariant>()
            .variant()
            .toString();
    };
    QList<Node> nodes;
    const auto children =
        ask(path, "org.a11y.atspi.Accessible", "GetChildren").value<QDBusArgument>();
    if (children.currentType() != QDBusArgument::ArrayType)
        return nodes;
    QStringList paths;
    children.beginArray();
    while (!children.atEnd()) {
        QString childService;
        QDBusObjectPath childPath;
        children.beginStructure();
        children >> childService >> childPath;
        children.endStructure();
        if (childService == service) // the registry's children are other applications' roots
            paths << childPath.path();
    }
    children.endArray();
    for (const QString &child : paths)
        nodes << Node{service, child,
                      ask(child, "org.a11y.atspi.Accessible", "GetRoleName").toString(),
                      property(child, "Name"), property(child, "Description")}
              << below(bus, service, child);
    return nodes;
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT

private slots:
    void everyControlInEnglish() {
        const QStringList lines{
            "Form1 Client Norvak Vekora | ",
            "Label(3) StaticText Mondag December, 7 2026 | Actual date." + hint,
            "Label(4) StaticText 09:05:07 | Actual time." + hint,
            "Frame1 Grouping Alarm | Alarm settings." + hint,
            "cboDay ComboBox Mon | Alarm day. Select alarmday of the week.",
            "txtAlrm EditableText Alarm time | "
            "Alarm time in almost any 24h time format, for example: 0945.",
            "txtMsg EditableText Alarm message | Alarm message. Copying: Select text + Ctrl-C.",
            "CmdStop Button On ((o)) | Alarm On/Off." + hint,
            "frmInit Dialog Welcome to Vekora | ",
            "Label1 StaticText Vekora | ",
            "Combo1 ComboBox  | Language. The language can be changed at any time.",
            "Command1 Button => Hjælp video | Opens Help at instruction video access.",
            "Command2 Button >> | ",
            "frmSplash Dialog Norvak Vekora | ",
            "lblProductName StaticText Norvak Vekora | ",
            "lblGreeting StaticText With compliments | ",
            "cmdClose Button Close | ",
            "txtAdress EditableText  | Copying: Select text + Ctrl-C.",
        };
        QCOMPARE(Windows(0).heard(lines), lines);
    }

    void danishAfterTheSwitch() {
        const QStringList lines{
            "Form1 Client Norvak Vekuret | ",
            "txtAlrm EditableText Alarmtid | "
            "Alarmtid i næsten ethvert 24-timers tidsformat, fx 0945)",
            "CmdStop Button Til ((o)) | Alarm Til/Fra. Højreklik for generel menu.",
            "Combo1 ComboBox  | Sprog. Sproget kan ændres når som helst.",
            "cmdClose Button Luk | ",
        };
        QCOMPARE(Windows(1).heard(lines), lines);
    }

    // The switch says its state; an unreadable alarm time is said before anything else about the
    // field, for as long as the field shows it red.
    void statesAreSaid() {
        Windows windows(0);
        auto *field = child<QLineEdit>(*windows.main, "txtAlrm");
        const QString tip = field->toolTip();
        windows.main->CmdStop_Click();
        QStringList said = windows.heard({"CmdStop"});
        windows.main->SetCmdStop(SwitchState::Ringing);
        said << windows.heard({"CmdStop"});
        for (const char *time : {"24:00", "9.45"}) {
            field->setText(QString::fromLatin1(time));
            said << windows.heard({"CmdStop", "txtAlrm"});
        }
        QCOMPARE(said, QStringList({"CmdStop Button Off | Alarm On/Off." + hint,
                                    "CmdStop Button Stop | Alarm On/Off." + hint,
                                    "CmdStop Button Error! | Alarm On/Off." + hint,
                                    "txtAlrm EditableText Alarm time | Repair the error in the "
                                    "alarm time field! " +
                                        tip,
                                    "CmdStop Button On ((o)) | Alarm On/Off." + hint,
                                    "txtAlrm EditableText Alarm time | " + tip}));
    }

    // The program itself on the display and session bus ctest gives this suite, read over the
    // accessibility bus as a screen reader reads it: the time, the date, the fields and the
    // switch, in Danish; an alarm time written through the bus makes both say the error.
    void runningWindowThroughTheBus() {
        // Never on the user's own desktop.
        if (!qEnvironmentVariableIsSet("VEKORA_PRIVATE_DESKTOP"))
            QSKIP("needs a display and a session bus of its own: ctest runs it under xvfb-run "
                  "and dbus-run-session");
        // The session bus starts the bus launcher on this first call (package at-spi2-core).
        const QDBusReply<QString> address =
            QDBusConnection::sessionBus().call(QDBusMessage::createMethodCall(
                "org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress"));
        if (!address.isValid())
            QSKIP(qPrintable("No accessibility bus here: " + address.error().message()));
        const QDBusConnection a11y = QDBusConnection::connectToBus(address.value(), "a11y");

        QTemporaryDir folder;
        const QString program = folder.filePath(QStringLiteral("vekora"));
        QVERIFY(QFile::copy(QStringLiteral(VEKORA_PROGRAM), program));
        QFile ini(folder.filePath(QStringLiteral("Vekora.ini")));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("1\r\n1 0 \r\n 0 \r\n 0 \r\n 0 \r\n07:30\r\n\r\nTil ((o))\r\n");
        ini.close();
        QProcess vekora;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.insert("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
        env.insert("XDG_CONFIG_HOME", folder.path());
        env.insert("XDG_RUNTIME_DIR", folder.path());
        vekora.setProcessEnvironment(env);
        vekora.start(program, {});

        QList<Node> tree;
        const auto find = [&](const QString &role, const QString &name) -> std::optional<Node> {
            tree.clear();
            for (const QString &service : a11y.interface()->registeredServiceNames().value())
                if (service.startsWith(u':') && service != a11y.baseService())
                    tree << below(a11y, service, "/org/a11y/atspi/accessible/root");
            for (const Node &node : tree)
                if (node.role == role && node.name == name)
                    return node;
            return std::nullopt;
        };
        const QString date =
            dateLine(Language::Danish, strings(Language::Danish).main, QDate::currentDate());
        // The tree fills in over a few reads on a busy machine: wait for the last of it.
        QTRY_VERIFY_WITH_TIMEOUT(find("push button", "Til ((o))") && find("label", date), 15000);
        const auto timeShown = [&] {
            for (const Node &node : tree)
                if (const QTime shown = QTime::fromString(node.name, "hh:mm:ss"); shown.isValid()) {
                    const int apart = std::abs(shown.secsTo(QTime::currentTime()));
                    return apart <= 5 || apart >= 86395; // across midnight
                }
            return false;
        };
        QVERIFY(timeShown());
        QVERIFY(find("frame", "Norvak Vekuret") || find("filler", "Norvak Vekuret"));
        QVERIFY(find("text", "Alarmmeddelelse"));
        const std::optional<Node> field = find("text", "Alarmtid");
        QVERIFY(field && !field->description.startsWith(errorDa));

        QDBusMessage write = QDBusMessage::createMethodCall(
            field->service, field->path, "org.a11y.atspi.EditableText", "SetTextContents");
        write.setArguments({QStringLiteral("24:00")});
        a11y.call(write);
        QTRY_VERIFY(find("push button", "Fejl!"));
        QVERIFY(find("text", "Alarmtid")->description.startsWith(errorDa));
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
