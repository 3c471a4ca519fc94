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

QString programFolder() { return withSlash(QCoreApplication::applicationDirPath()); }

QString dataFolder(const QString &programFolder) {
    const QString installed = QDir::cleanPath(programFolder + QStringLiteral("../share/vekora"));
    if (QDir(programFolder).dirName() == QLatin1String("bin") && QFileInfo(installed).isDir())
        return withSlash(installed);
    return programFolder;
}

QString settingsFilePath(const QString &programFolder) {
    if (QFileInfo(programFolder).isWritable())
        return programFolder + QStringLiteral("Vekora.ini");
    return withSlash(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)) +
           QStringLiteral("Vekora.ini");
}
