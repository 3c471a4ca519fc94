#include "app/commandline.h"
#include "platform/qtenvironment.h"

#include "datarow.h"
#include <QDir>
#include <QStandardPaths>

#include <QTest>

namespace {
// An environment from "NAME=value NAME=value".
QProcessEnvironment environment(const char *variables) {
    QProcessEnvironment env;
    for (const QString &variable : QString::fromLatin1(variables).split(u' ', Qt::SkipEmptyParts))
        env.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
    return env;
}
} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        qunsetenv("XDG_STATE_HOME");
    }

    // The exit status (-1: start normally), then the first line that went to stdout and the
    // first to stderr. Anything not taken is named as typed, in one style.
    void options_data() {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QString>("expected");
        row("none", "", "-1 out: err:");
        row("an option", "--bogus", "2 out: err:vekora: unknown option '--bogus'");
        row("a word", "-- 07:30", "2 out: err:vekora: unexpected argument '07:30'");
        // Qt's own options are not taken.
        row("Qt's option", "-platform offscreen", "2 out: err:vekora: unknown option '-platform'");
        row("help", "--help",
            "0 out:Vekora: a small desktop alarm clock with a weekday "
            "function, in English and Danish. err:");
    }
    void options() {
        QFETCH(QString, arguments);
        QFETCH(QString, expected);
        QString outText, errText;
        QTextStream out(&outText), err(&errText);
        const auto status = handleCommandLine(
            QStringLiteral("vekora %1").arg(arguments).split(u' ', Qt::SkipEmptyParts),
            QStringLiteral("/opt/x/bin/"), out, err);
        out.flush();
        err.flush();
        QCOMPARE(QStringLiteral("%1 out:%2 err:%3")
                     .arg(status.value_or(-1))
                     .arg(outText.section(u'\n', 0, 0), errText.section(u'\n', 0, 0)),
                 expected);
        // Every folder the program keeps something in is named.
        if (arguments == u"--help")
            QVERIFY2(outText.contains("\nState folder:  " + QDir::homePath() +
                                      "/.local/state/Vekora/\n"),
                     qPrintable(outText));
    }

    // A display where any is named, a list of Qt platforms included; xcb chosen only where
    // Wayland is the session, X is there too and the user chose nothing (empty counts as unset).
    void displayAndPlatform() {
        const std::tuple<const char *, bool, const char *> cases[] = {
            {"DISPLAY= WAYLAND_DISPLAY=", false, ""},
            {"QT_QPA_PLATFORM=wayland;vnc:size=800x600", true, ""},
            {"QT_QPA_PLATFORM=xcb", false, ""},
            {"XDG_SESSION_TYPE=wayland DISPLAY=:1 QT_QPA_PLATFORM=", true, "xcb"},
            {"WAYLAND_DISPLAY=w DISPLAY=:0 QT_QPA_PLATFORM=wayland", true, ""},
        };
        for (const auto &[variables, available, platform] : cases) {
            QCOMPARE(::displayAvailable(environment(variables)), available);
            QCOMPARE(chooseQtPlatform(environment(variables)), QByteArray(platform));
        }
    }

    // What the program asks of Qt holds while QApplication is made and is gone afterwards, so the
    // programs it starts get the user's environment back as it was; a value the user gave wins.
    void qtEnvironmentIsTheProgramsOnly() {
        qputenv("VEKORA_TEST_MINE", "user's");
        qputenv("VEKORA_TEST_EMPTY", "");
        qunsetenv("VEKORA_TEST_UNSET");
        QtEnvironment asked;
        for (const char *name : {"VEKORA_TEST_MINE", "VEKORA_TEST_EMPTY", "VEKORA_TEST_UNSET"})
            asked.request(name, "1");
        QCOMPARE(qgetenv("VEKORA_TEST_MINE"), "user's");
        QCOMPARE(qgetenv("VEKORA_TEST_EMPTY"), "1");
        QCOMPARE(qgetenv("VEKORA_TEST_UNSET"), "1");
        asked.restore();
        QCOMPARE(qgetenv("VEKORA_TEST_MINE"), "user's");
        QVERIFY(qEnvironmentVariableIsSet("VEKORA_TEST_EMPTY"));
        QCOMPARE(qgetenv("VEKORA_TEST_EMPTY"), "");
        QVERIFY(!qEnvironmentVariableIsSet("VEKORA_TEST_UNSET"));
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
