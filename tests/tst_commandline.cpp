#include "app/commandline.h"
#include "platform/paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void options_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status"); // -1: start normally
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        const QString usage = QStringLiteral("Usage: vekora");
        QTest::newRow("none") << QStringList{} << -1 << QString() << QString();
        QTest::newRow("word after --") << QStringList{"--", "07:30"} << 2 << QString() << usage;
        QTest::newRow("version") << QStringList{"--version"} << 0 << "vekora 1.0.1\n" << QString();
        QTest::newRow("help") << QStringList{"-h"} << 0 << usage << QString();
        QTest::newRow("qt option refused")
            << QStringList{"-platform", "offscreen"} << 2 << QString() << usage;
    }
    void options() {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QString outText, errText;
        QTextStream outStream(&outText), errStream(&errText);
        const auto result = handleCommandLine(QStringList{"vekora"} + arguments,
                                              QStringLiteral("/opt/x/bin/"), outStream, errStream);
        outStream.flush();
        errStream.flush();
        QCOMPARE(result.value_or(-1), status);
        // Exact for --version and silence, a prefix check for the longer texts.
        if (out.endsWith(QLatin1Char('\n')) || out.isEmpty())
            QCOMPARE(outText, out);
        else
            QVERIFY2(outText.contains(out), qPrintable(outText));
        QVERIFY2(err.isEmpty() ? errText.isEmpty() : errText.contains(err), qPrintable(errText));
    }

    void dataFolderRule_data() {
        QTest::addColumn<QString>("program"); // relative to a temporary root
        QTest::addColumn<QString>("existing");
        QTest::addColumn<QString>("expected");
        QTest::newRow("installed") << "usr/bin/"
                                   << "usr/share/vekora"
                                   << "usr/share/vekora/";
        QTest::newRow("bin without share") << "usr/bin/"
                                           << "usr/bin"
                                           << "usr/bin/";
        QTest::newRow("build folder") << "build/"
                                      << "share/vekora"
                                      << "build/";
    }
    void dataFolderRule() {
        QFETCH(QString, program);
        QFETCH(QString, existing);
        QFETCH(QString, expected);
        QTemporaryDir root;
        const QString base = root.path() + QLatin1Char('/');
        QVERIFY(QDir(base).mkpath(program) && QDir(base).mkpath(existing));
        QCOMPARE(dataFolder(base + program), base + expected);
    }

    // Settings of a program in a read-only folder go to the config folder under a fixed name.
    void settingsPathAndProgramFolder() {
        const QString config =
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
        QCoreApplication::setApplicationName(QStringLiteral("something-else"));
        QCOMPARE(settingsFilePath(QStringLiteral("/nonexistent/vekora/bin/")),
                 config + QStringLiteral("/Vekora/Vekora.ini"));
        QCOMPARE(programFolderBeforeApp(QStringLiteral("vekora")),
                 QCoreApplication::applicationDirPath() + QLatin1Char('/'));
    }

    void displayAvailable_data() {
        QTest::addColumn<QStringList>("variables");
        QTest::addColumn<bool>("available");
        QTest::newRow("nothing") << QStringList{} << false;
        QTest::newRow("x11") << QStringList{"DISPLAY=:0"} << true;
        QTest::newRow("empty display") << QStringList{"DISPLAY=", "WAYLAND_DISPLAY="} << false;
        QTest::newRow("fallback list, options")
            << QStringList{"QT_QPA_PLATFORM=wayland;vnc:size=800x600"} << true;
        QTest::newRow("xcb needs a display") << QStringList{"QT_QPA_PLATFORM=xcb"} << false;
    }
    void displayAvailable() {
        QFETCH(QStringList, variables);
        QFETCH(bool, available);
        QProcessEnvironment env;
        for (const QString &variable : variables)
            env.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
        QCOMPARE(::displayAvailable(env), available);
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
