#include "platform/paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
QString withSlash(QString folder) {
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}
} // namespace

QString programFolder() {
    return withSlash(QCoreApplication::applicationDirPath());
}

QString programFolderBeforeApp(const QString &argv0) {
    const QString self = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    if (!self.isEmpty())
        return withSlash(QFileInfo(self).absolutePath());
    QString program = argv0;
    if (!program.contains(QLatin1Char('/'))) {
        const QString found = QStandardPaths::findExecutable(program);
        if (!found.isEmpty())
            program = found;
    }
    return withSlash(QFileInfo(program).absolutePath());
}

QString dataFolder(const QString &programFolder) {
    const QString installed = QDir::cleanPath(programFolder + QStringLiteral("../share/vekora"));
    if (QDir(programFolder).dirName() == QLatin1String("bin") && QFileInfo(installed).isDir())
        return withSlash(installed);
    return programFolder;
}

QString settingsFilePath(const QString &programFolder) {
    // An installed program (bin/ beside share/vekora) keeps no settings among the programs,
    // even where the user may write there: root in /usr/bin, or an install into ~/.local.
    const bool installed = dataFolder(programFolder) != programFolder;
    if (!installed && QFileInfo(programFolder).isWritable())
        return programFolder + QStringLiteral("Vekora.ini");
    // Not AppConfigLocation: that depends on the application name, which is not yet set when
    // --help reports this path, and the answer must not change once the window exists.
    return withSlash(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)) +
           QStringLiteral("Vekora/Vekora.ini");
}

QString helpCacheFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QStringLiteral("/Vekora");
}

QString settingsReadPath(const QString &programFolder) {
    const QString saved = settingsFilePath(programFolder);
    const QString beside = programFolder + QStringLiteral("Vekora.ini");
    if (saved != beside && !QFileInfo::exists(saved) && QFileInfo(beside).isFile())
        return beside;
    return saved;
}
