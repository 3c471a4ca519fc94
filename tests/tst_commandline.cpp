#include "app/commandline.h"

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
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // The exit status (-1: start normally), then what went to stdout and to stderr.
    void options() {
        const char *const cases[][2] = {
            {"", "-1 out: err:"},
            {"-- 07:30", "2 out: err:usage"},
            {"-platform offscreen", "2 out: err:usage"}, // Qt's own options are not taken
        };
        for (const auto &[arguments, expected] : cases) {
            QString outText, errText;
            QTextStream out(&outText), err(&errText);
            const auto status = handleCommandLine(
                QStringLiteral("vekora %1").arg(arguments).split(u' ', Qt::SkipEmptyParts),
                QStringLiteral("/opt/x/bin/"), out, err);
            out.flush();
            err.flush();
            const auto shown = [](const QString &text) {
                return text.contains(QStringLiteral("Usage: vekora")) ? QStringLiteral("usage")
                                                                      : text.trimmed();
            };
            QCOMPARE(QStringLiteral("%1 out:%2 err:%3")
                         .arg(status.value_or(-1))
                         .arg(shown(outText), shown(errText)),
                     expected);
        }
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
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
