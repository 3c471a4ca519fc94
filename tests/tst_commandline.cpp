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
    // The status (-1: start normally), then the start of standard output and of standard error.
    void options() {
        QStringList seen;
        for (const char *line : {"", "-- 07:30", "--version -h", "--version", "-platform x"}) {
            QString out, err;
            QTextStream outStream(&out), errStream(&err);
            const auto status = handleCommandLine(
                QStringList{"vekora"} + QString::fromLatin1(line).split(u' ', Qt::SkipEmptyParts),
                QStringLiteral("/opt/x/bin/"), outStream, errStream);
            outStream.flush();
            errStream.flush();
            seen << QStringLiteral("%1|%2|%3")
                        .arg(status.value_or(-1))
                        .arg(out.left(13), err.left(13));
        }
        QCOMPARE(seen, (QStringList{"-1||", "2||Usage: vekora", "0|Usage: vekora|",
                                    "0|vekora 1.0.1\n|", "2||Usage: vekora"}));
    }

    // Installed: data in share; elsewhere beside the program. Settings of a program in a
    // read-only folder go to the config folder under a fixed name.
    void folders() {
        QTemporaryDir root;
        const QString base = root.path() + u'/';
        QVERIFY(QDir(base).mkpath("usr/bin") && QDir(base).mkpath("usr/share/vekora"));
        QVERIFY(QDir(base).mkpath("build") && QDir(base).mkpath("share/vekora"));
        QCOMPARE(dataFolder(base + "usr/bin/"), base + "usr/share/vekora/");
        QCOMPARE(dataFolder(base + "build/"), base + "build/");
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setApplicationName(QStringLiteral("something-else"));
        QCOMPARE(settingsFilePath(QStringLiteral("/nonexistent/vekora/bin/")),
                 QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                     QStringLiteral("/Vekora/Vekora.ini"));
    }

    void displayAvailable() {
        QStringList seen;
        for (const char *vars :
             {"DISPLAY=:0", "DISPLAY= WAYLAND_DISPLAY=", "QT_QPA_PLATFORM=wayland;offscreen",
              "QT_QPA_PLATFORM=xcb", "QT_QPA_PLATFORM=offscreenish"}) {
            QProcessEnvironment env;
            for (const QString &var : QString::fromLatin1(vars).split(u' '))
                env.insert(var.section(u'=', 0, 0), var.section(u'=', 1));
            seen << QString::number(::displayAvailable(env));
        }
        QCOMPARE(seen.join(u' '), QStringLiteral("1 0 1 0 0"));
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
