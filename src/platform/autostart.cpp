#include "platform/autostart.h"

#include "platform/wholefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>

QString autostartEntryPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/autostart/vekora.desktop");
}

QString execArgument(const QString &argument) {
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    const bool mustQuote =
        std::any_of(argument.begin(), argument.end(), [](QChar c) { return reserved.contains(c); });
    QString quoted;
    if (mustQuote) {
        quoted += u'"';
        for (const QChar c : argument) {
            if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
                quoted += u'\\';
            quoted += c;
        }
        quoted += u'"';
    } else {
        quoted = argument;
    }
    // Field codes start with %, so a literal one is doubled. The key's value is then a string,
    // whose own escapes a reader undoes before it splits the arguments.
    QString value;
    for (const QChar c : quoted) {
        if (c == u'%')
            value += QStringLiteral("%%");
        else if (c == u'\\')
            value += QStringLiteral("\\\\");
        else if (c == u'\n')
            value += QStringLiteral("\\n");
        else if (c == u'\t')
            value += QStringLiteral("\\t");
        else if (c == u'\r')
            value += QStringLiteral("\\r");
        else
            value += c;
    }
    return value;
}

QString autostartExec(const QString &programPath) {
    // GLib looks for the first word of Exec as a file before it undoes the doubled %, so a path
    // with a % in it is not found and the entry is dropped. env is found, and runs the path it
    // is given unchanged, unless that holds a =, which env would take for a variable.
    if (!programPath.contains(u'%'))
        return execArgument(programPath);
    if (programPath.contains(u'='))
        return {};
    return QStringLiteral("env ") + execArgument(programPath);
}

QByteArray autostartEntry(const QString &programPath) {
    const QString exec = autostartExec(programPath);
    if (exec.isEmpty())
        return {};
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Vekora\n"
                          "Name[da]=Vekuret\n"
                          "Exec=%1\n"
                          "Icon=vekora\n"
                          "Terminal=false\n")
        .arg(exec)
        .toUtf8();
}

bool setAutostart(bool on, const QString &entryPath, const QString &programPath, QString &error) {
    if (!on) {
        QFile entry(entryPath);
        if (!entry.exists() || entry.remove())
            return true;
        error = entry.errorString();
        return false;
    }
    const QByteArray contents = autostartEntry(programPath);
    if (contents.isEmpty()) {
        error = QStringLiteral("Desktops cannot start a program whose path holds both a percent "
                               "sign and an equals sign: %1")
                    .arg(programPath);
        return false;
    }
    const QString folder = QFileInfo(entryPath).absolutePath();
    if (!QDir().mkpath(folder)) {
        error = QStringLiteral("cannot create the folder %1").arg(folder);
        return false;
    }
    return writeWholeFile(entryPath, contents, StandingFile::UsersOwn, &error);
}
