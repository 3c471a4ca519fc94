#include "app/commandline.h"

#include "platform/help.h"
#include "platform/paths.h"
#include "platform/runrecord.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QSet>
#include <algorithm>

namespace {

QString usageLine() {
    return QStringLiteral("Usage: vekora [--help | --version]");
}

void printHelp(const QString &programFolder, QTextStream &out) {
    const QString data = dataFolder(programFolder);
    out << "Vekora: a small desktop alarm clock with a weekday function, in English and Danish.\n"
        << "\n"
        << usageLine() << "\n"
        << "  -h, --help     show this text and exit\n"
        << "      --version  show the version and exit\n"
        << "\n"
        << "Settings file: " << settingsFilePath(programFolder) << "\n"
        << "  (delete it to start afresh with the welcome window)\n"
        << "State folder:  "
        << QFileInfo(RunRecord::pathFor(settingsFilePath(programFolder))).absolutePath() << "/\n"
        << "  (when Vekora last ran, to tell of an alarm missed while it was closed)\n"
        << "Data folder:   " << data << "\n";
    // F1 opens the page in the data folder where there is one, else the program's own copy,
    // written out into the cache first.
    const char *heading = "Help pages:    ";
    for (const LanguageInfo &language : programLanguages()) {
        const QString page = helpFilePath(data, language);
        out << heading;
        if (QFileInfo(page).isFile())
            out << page << "\n";
        else
            out << helpFilePath(helpCacheFolder() + u'/', language)
                << " (built in, written there by F1)\n";
        heading = "               ";
    }
}

// Platforms that draw without a display server; Qt accepts "name:options" and ";"-separated
// fallbacks in QT_QPA_PLATFORM.
bool platformNeedsNoDisplay(const QString &qpaPlatform) {
    static const QSet<QString> displayless = {
        QStringLiteral("offscreen"),   QStringLiteral("minimal"), QStringLiteral("minimalegl"),
        QStringLiteral("vnc"),         QStringLiteral("linuxfb"), QStringLiteral("eglfs"),
        QStringLiteral("vkkhrdisplay")};
    const QStringList choices = qpaPlatform.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (const QString &choice : choices) {
        if (displayless.contains(choice.section(QLatin1Char(':'), 0, 0).trimmed()))
            return true;
    }
    return false;
}

} // namespace

std::optional<int> handleCommandLine(const QStringList &arguments, const QString &programFolder,
                                     QTextStream &out, QTextStream &err) {
    QCommandLineParser parser;
    // "-platform" is one unknown option, not the letters p, l, a ... of short ones.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("show this text and exit"));
    const QCommandLineOption version(QStringLiteral("version"),
                                     QStringLiteral("show the version and exit"));
    parser.addOption(help);
    parser.addOption(version);

    // Anything that is not ours is refused rather than handed on, so Qt's own options
    // (-platform, -style ...) cannot change the program behind the user's back, and a word the
    // program would ignore does not look as if it had been taken.
    // Said in one style, with the argument as it was typed.
    QString refused;
    if (!parser.parse(arguments)) {
        const QStringList known = {QStringLiteral("-h"), QStringLiteral("--help"),
                                   QStringLiteral("-help"), QStringLiteral("--version"),
                                   QStringLiteral("-version")};
        const qsizetype end = arguments.indexOf(QStringLiteral("--"));
        const QStringList given = arguments.mid(1, end < 0 ? -1 : end - 1);
        const auto wrong = std::find_if(given.begin(), given.end(), [&](const QString &argument) {
            return argument.startsWith(u'-') && !known.contains(argument);
        });
        refused = QStringLiteral("unknown option '%1'")
                      .arg(wrong == given.end() ? parser.errorText() : *wrong);
    } else if (!parser.positionalArguments().isEmpty()) {
        refused = QStringLiteral("unexpected argument '%1'")
                      .arg(parser.positionalArguments().constFirst());
    }
    if (!refused.isEmpty()) {
        err << "vekora: " << refused << "\n"
            << usageLine() << "\n"
            << "Try 'vekora --help' for more information." << Qt::endl;
        return 2;
    }
    if (parser.isSet(help)) {
        printHelp(programFolder, out);
        out.flush();
        return 0;
    }
    if (parser.isSet(version)) {
        out << "vekora " << VEKORA_VERSION << Qt::endl;
        return 0;
    }
    return std::nullopt;
}

bool displayAvailable(const EnvironmentLookup &variable) {
    return !variable("DISPLAY").isEmpty() || !variable("WAYLAND_DISPLAY").isEmpty() ||
           platformNeedsNoDisplay(variable("QT_QPA_PLATFORM"));
}

QString noDisplayMessage() {
    return QStringLiteral("vekora: no graphical display found; start it from a desktop session, "
                          "or without one under Xvfb: xvfb-run vekora");
}

std::optional<int> handleStartup(int argc, char **argv) {
    // The program name alone, as nearly every start has it, leaves nothing to parse.
    if (argc > 1) {
        QStringList arguments;
        for (int i = 0; i < argc; ++i)
            arguments << QString::fromLocal8Bit(argv[i]);
        QTextStream out(stdout);
        QTextStream err(stderr);
        if (const auto status =
                handleCommandLine(arguments, programFolderBeforeApp(arguments.value(0)), out, err))
            return status;
    }
    if (!displayAvailable(ownEnvironmentVariable)) {
        QTextStream(stderr) << noDisplayMessage() << Qt::endl;
        return 1;
    }
    return std::nullopt;
}
