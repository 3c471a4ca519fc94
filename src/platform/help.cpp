#include "platform/help.h"

#include "platform/opener.h"

#include <QFile>
#include <QFileInfo>

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
} // namespace

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
