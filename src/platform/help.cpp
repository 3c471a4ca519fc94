#include "platform/help.h"

#include "platform/opener.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {
QString inFolder(const QString &folder, const QString &name) {
    if (folder.isEmpty() || folder.endsWith(QLatin1Char('/')))
        return folder + name;
    return folder + QLatin1Char('/') + name;
}

// A file that exists but cannot be opened for reading is as good as missing.
bool readable(const QString &path) {
    if (!QFileInfo(path).isFile())
        return false;
    QFile file(path);
    return file.open(QIODevice::ReadOnly);
}
const QString builtInHelp = QStringLiteral(":/help");

// Leaves an identical file alone, so a viewer that has the page open is not disturbed.
bool writeIfDifferent(const QString &path, const QByteArray &bytes) {
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == bytes)
        return true;
    existing.close();
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

bool isPage(const QString &name) {
    return name.endsWith(QLatin1String(".html"), Qt::CaseInsensitive);
}
} // namespace

QString helpPageOrBuiltIn(const QString &page, const QString &cacheFolder) {
    const QString name = QFileInfo(page).fileName();
    if (readable(page) || cacheFolder.isEmpty() || !QFileInfo::exists(builtInHelp + u'/' + name))
        return page;
    // The page asked for, and everything that is not a page: the pictures, in their folders.
    QDirIterator it(builtInHelp, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString resource = it.next();
        const QString relative = resource.mid(builtInHelp.size() + 1);
        if (isPage(relative) && relative != name)
            continue;
        QFile source(resource);
        if (!source.open(QIODevice::ReadOnly) ||
            !writeIfDifferent(inFolder(cacheFolder, relative), source.readAll()))
            return page;
    }
    return inFolder(cacheFolder, name);
}

QString helpFilePath(const QString &dataFolder, const LanguageInfo &language) {
    return inFolder(dataFolder, QStringLiteral("VKhelp-%1.html").arg(language.code));
}

QUrl helpUrl(const QString &path, const QString &anchor) {
    QUrl url = QUrl::fromLocalFile(path);
    if (!anchor.isEmpty())
        url.setFragment(anchor);
    return url;
}

bool openHelp(UrlOpener &opener, const QString &path, const QString &anchor) {
    if (path.isEmpty() || !readable(path))
        return false;
    return opener.open(helpUrl(path, anchor));
}

QString videoAvail(const QString &dataFolder, const LanguageList &languages) {
    QString letters;
    for (const LanguageInfo &language : languages) {
        const bool present = readable(inFolder(dataFolder, language.videoFile));
        letters += present ? language.videoLetter.toUpper() : language.videoLetter.toLower();
    }
    return letters;
}
