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

QString helpFilePath(const QString &dataFolder, Language language) {
    return inFolder(dataFolder, language == Language::Danish ? QStringLiteral("VKhelp-da.html")
                                                             : QStringLiteral("VKhelp-en.html"));
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

QString videoAvail(const QString &dataFolder) {
    QString letters = QStringLiteral("ED");
    if (!readable(inFolder(dataFolder, QStringLiteral("VekoraDa.avi"))))
        letters[1] = QLatin1Char('d');
    if (!readable(inFolder(dataFolder, QStringLiteral("VekoraEn.avi"))))
        letters[0] = QLatin1Char('e');
    return letters;
}
