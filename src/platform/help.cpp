#include "platform/help.h"

#include "platform/urlopener.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

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

// The bytes of the regular file at `path`, never following a link and never waiting on a FIFO;
// nothing for anything else.
std::optional<QByteArray> regularFileBytes(const QString &path) {
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    QFile file;
    struct stat status;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) ||
        !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return std::nullopt;
    }
    return file.readAll();
}

// The cache is this user's own, so nobody else can put anything in place of a page.
bool ownFolder(const QString &folder) {
    struct stat status;
    return ::stat(QFile::encodeName(folder).constData(), &status) == 0 && S_ISDIR(status.st_mode) &&
           status.st_uid == ::geteuid();
}

// Leaves an identical file alone, so a viewer that has the page open is not disturbed. Anything
// else there, a link or a FIFO among them, is replaced by a new file renamed into its place: what
// it points to is never written, and nothing waits for a reader. (QSaveFile would write through
// a link.)
bool writeIfDifferent(const QString &path, const QByteArray &bytes) {
    if (regularFileBytes(path) == bytes)
        return true;
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder) || !ownFolder(folder))
        return false;
    QTemporaryFile file(folder + QStringLiteral("/.vekora-XXXXXX"));
    if (!file.open() || file.write(bytes) != bytes.size() || !file.flush() ||
        !file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                             QFile::ReadOther))
        return false;
    if (::rename(QFile::encodeName(file.fileName()).constData(),
                 QFile::encodeName(path).constData()) != 0)
        return false;
    file.setAutoRemove(false);
    return true;
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
