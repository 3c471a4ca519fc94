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

// The accessible objects from `path` down, as "role|name" lines: what a screen reader reads.
// The D-Bus processes and the display a program needs to be read by a screen reader, each its own.
class PrivateDesktop {
public:
    ~PrivateDesktop() {
        // Last started, first ended: the program, the bus launcher (which ends the accessibility
        // bus it started), the session bus, the display.
        for (auto it = processes.rbegin(); it != processes.rend(); ++it) {
            (*it)->terminate();
            if (!(*it)->waitForFinished(3000))
                (*it)->kill();
            (*it)->waitForFinished(1000);
        }
    }

    // Empty when it started, else why not.
    QString start() {
        const QString launcher = QStringLiteral("/usr/libexec/at-spi-bus-launcher");
        if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty() ||
            !QFileInfo(launcher).isExecutable())
            return QStringLiteral("needs Xvfb, dbus-daemon and at-spi-bus-launcher (packages "
                                  "xvfb, dbus, at-spi2-core)");
        const QString display =
            firstLine(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"),
                                               QStringLiteral("-nolisten"), QStringLiteral("tcp")});
        if (display.isEmpty())
            return QStringLiteral("Xvfb did not start");
        env.insert(QStringLiteral("DISPLAY"), u':' + display);
        sessionAddress = firstLine(QStringLiteral("dbus-daemon"),
                                   {QStringLiteral("--session"), QStringLiteral("--nofork"),
                                    QStringLiteral("--print-address=1")});
        if (sessionAddress.isEmpty())
            return QStringLiteral("the private session bus did not start");
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), sessionAddress);
        env.remove(QStringLiteral("AT_SPI_BUS_ADDRESS"));
        spawn(launcher, {QStringLiteral("--launch-immediately")});
        session = QDBusConnection::connectToBus(sessionAddress, QStringLiteral("private-session"));
        QString a11yAddress;
        QDeadlineTimer deadline(10000);
        while (a11yAddress.isEmpty() && !deadline.hasExpired()) {
            // Not started by the bus on demand: the launcher is ours to end.
            QDBusMessage get = QDBusMessage::createMethodCall(
                QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
                QStringLiteral("org.a11y.Bus"), QStringLiteral("GetAddress"));
            get.setAutoStartService(false);
            const QDBusMessage reply = session.call(get);
            if (reply.type() == QDBusMessage::ReplyMessage)
                a11yAddress = reply.arguments().value(0).toString();
            if (a11yAddress.isEmpty())
                QTest::qWait(100);
        }
        if (a11yAddress.isEmpty())
            return QStringLiteral("the accessibility bus did not start");
        a11y = QDBusConnection::connectToBus(a11yAddress, QStringLiteral("private-a11y"));
        return a11y.isConnected() ? QString()
                                  : QStringLiteral("no connection to the a11y bus at %1: %2")
                                        .arg(a11yAddress, a11y.lastError().message());
    }

    QProcess *spawn(const QString &program, const QStringList &arguments) {
        auto &process = processes.emplace_back(std::make_unique<QProcess>());
        process->setProcessEnvironment(env);
        process->start(program, arguments);
        process->waitForStarted();
        return process.get();
    }

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    QDBusConnection session{QString()};
    QDBusConnection a11y{QString()};

private:
    QString firstLine(const QString &program, const QStringList &arguments) {
        QProcess *process = spawn(program, arguments);
        QDeadlineTimer deadline(10000);
        while (!process->canReadLine() && !deadline.hasExpired() &&
               process->state() == QProcess::Running)
            process->waitForReadyRead(200);
        return QString::fromUtf8(process->readLine()).trimmed();
    }

    QString sessionAddress;
    std::vector<std::unique_ptr<QProcess>> processes;
};

// One object of the accessibility tree, as a screen reader sees it.
struct Node {
    QString service, path, role, name, description;
};

class TreeReader {
public:
    explicit TreeReader(const QDBusConnection &bus) : bus(bus) {}

    // Every object below the application called `application`, or nothing yet.
    QList<Node> read(const QString &application) {
        const QString root = QStringLiteral("/org/a11y/atspi/accessible/root");
        for (const QString &service : bus.interface()->registeredServiceNames().value())
            if (service.startsWith(u':') && service != bus.baseService() &&
                property(service, root, "Name") == application)
                return below(service, root);
        return {};
    }

    QDBusMessage call(const Node &node, const char *interface, const char *method,
                      const QVariantList &arguments = {}) {
        QDBusMessage message = QDBusMessage::createMethodCall(
            node.service, node.path, QLatin1String(interface), QLatin1String(method));
        message.setArguments(arguments);
        return bus.call(message, QDBus::Block, 2000);
    }

private:
    QString property(const QString &service, const QString &path, const char *name) {
        QDBusMessage get = QDBusMessage::createMethodCall(
            service, path, QStringLiteral("org.freedesktop.DBus.Properties"),
            QStringLiteral("Get"));
        get.setArguments({QStringLiteral("org.a11y.atspi.Accessible"), QLatin1String(name)});
        const QDBusMessage reply = bus.call(get, QDBus::Block, 2000);
        return reply.arguments().value(0).value<QDBusVariant>().variant().toString();
    }

    QList<Node> below(const QString &service, const QString &path) {
        QList<Node> nodes;
        const QDBusMessage reply =
            call({service, path, {}, {}, {}}, "org.a11y.atspi.Accessible", "GetChildren");
        const auto children = reply.arguments().value(0).value<QDBusArgument>();
        if (children.currentType() != QDBusArgument::ArrayType)
            return nodes;
        QList<std::pair<QString, QString>> refs;
        children.beginArray();
        while (!children.atEnd()) {
            QString childService;
            QDBusObjectPath childPath;
            children.beginStructure();
            children >> childService >> childPath;
            children.endStructure();
            refs.append({childService, childPath.path()});
        }
        children.endArray();
        for (const auto &[childService, childPath] : refs) {
            Node node{childService, childPath, {}, {}, {}};
            node.role = call(node, "org.a11y.atspi.Accessible", "GetRoleName")
                            .arguments()
                            .value(0)
                            .toString();
            node.name = property(childService, childPath, "Name");
            node.description = property(childService, childPath, "Description");
            nodes << node << below(childService, childPath);
        }
        return nodes;
    }

    QDBusConnection bus;
};

std::optional<Node> named(const QList<Node> &nodes, const QString &role, const QString &name) {
    for (const Node &node : nodes)
        if (node.role == role && node.name == name)
            return node;
    return std::nullopt;
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

    // The program itself on a display of its own, read over an accessibility bus of its own as a
    // screen reader reads it: the switch, the date, the time and the fields, in Danish.
    // as a screen reader reads it: the time, the date, the fields and the switch, in Danish.
    void runningWindowThroughTheBus() {
        PrivateDesktop desktop;
        if (const QString why = desktop.start(); !why.isEmpty())
            QSKIP(qPrintable(QStringLiteral("No accessibility bus here: ") + why));

        QTemporaryDir folder;
        const QString program = folder.filePath(QStringLiteral("vekora"));
        QVERIFY(QFile::copy(QStringLiteral(VEKORA_PROGRAM), program));
        QFile ini(folder.filePath(QStringLiteral("Vekora.ini")));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("1\r\n1 0 \r\n 0 \r\n 0 \r\n 0 \r\n07:30\r\n\r\nTil ((o))\r\n");
        ini.close();
        QProcessEnvironment &env = desktop.env;
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"), QStringLiteral("1"));
        env.insert(QStringLiteral("HOME"), folder.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), folder.path());
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), folder.path());
        QProcess *vekora = desktop.spawn(program, {});

        TreeReader reader(desktop.a11y);
        QList<Node> tree;
        const auto readUntil = [&](const std::function<bool()> &done) {
            QDeadlineTimer deadline(15000);
            tree = reader.read(QStringLiteral("Vekora"));
            while (!done() && !deadline.hasExpired()) {
                QTest::qWait(200);
                tree = reader.read(QStringLiteral("Vekora"));
            }
            return done();
        };
        const auto switchIs = [&](const QString &name) {
            return named(tree, QStringLiteral("push button"), name).has_value();
        };
        const QDate today = QDate::currentDate();
        const QString date = dateLine(Language::Danish, strings(Language::Danish).main, today);
        // The tree fills in over a few reads on a busy machine: wait for the last of it.
        const bool read = readUntil([&] {
            return switchIs(QStringLiteral("Til ((o))")) &&
                   named(tree, QStringLiteral("label"), date).has_value();
        });
        QVERIFY2(read, qPrintable(QStringLiteral("vekora (state %1) read as %2 objects, date %3")
                                      .arg(vekora->state())
                                      .arg(tree.size())
                                      .arg(date)));
        const QTime now = QTime::currentTime();
        bool timeShown = false;
        for (const Node &node : tree) {
            const QTime shown = QTime::fromString(node.name, QStringLiteral("hh:mm:ss"));
            const int apart = shown.isValid() ? std::abs(shown.secsTo(now)) : 86400;
            timeShown |= node.role == QLatin1String("label") && (apart <= 5 || apart >= 86395);
        }
        QVERIFY(timeShown);
        QVERIFY(named(tree, QStringLiteral("frame"), QStringLiteral("Norvak Vekuret")) ||
                named(tree, QStringLiteral("filler"), QStringLiteral("Norvak Vekuret")));
        QVERIFY(named(tree, QStringLiteral("text"), QStringLiteral("Alarmmeddelelse")));
        const std::optional<Node> field =
            named(tree, QStringLiteral("text"), QStringLiteral("Alarmtid"));
        QVERIFY(field);
        QVERIFY(!field->description.startsWith(errorDa));

        // Written through the bus, as a screen reader's user would: the switch and the field
        // both say the error.
        reader.call(*field, "org.a11y.atspi.EditableText", "SetTextContents",
                    {QStringLiteral("24:00")});
        QVERIFY(readUntil([&] { return switchIs(QStringLiteral("Fejl!")); }));
        QVERIFY(named(tree, QStringLiteral("text"), QStringLiteral("Alarmtid"))
                    ->description.startsWith(errorDa));
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
