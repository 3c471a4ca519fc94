#include "platform/help.h"

#include "platform/urlopener.h"
#include "platform/wholefile.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <cstdlib>
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

// A folder nobody else can put anything into: a real folder (not a link) of this user's that
// neither its group nor others may write. Made so when missing.
bool privateFolder(const QString &folder) {
    const QByteArray name = QFile::encodeName(folder);
    ::mkdir(name.constData(), 0700);
    struct stat status;
    return ::lstat(name.constData(), &status) == 0 && S_ISDIR(status.st_mode) &&
           status.st_uid == ::geteuid() && (status.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

// The cache folder when it is private; otherwise a fresh private one for this time, so another
// user cannot put their file where the viewer will look. Left for the viewer to read; in the
// runtime folder it goes with the session. Empty when there is neither.
QString extractionFolder(const QString &cacheFolder) {
    const QString cache = QDir::cleanPath(cacheFolder);
    QDir().mkpath(QFileInfo(cache).absolutePath());
    if (privateFolder(cache))
        return cache;
    QString base = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!QDir::isAbsolutePath(base) || !QFileInfo(base).isDir())
        base = QDir::tempPath();
    QByteArray name = QFile::encodeName(base + QStringLiteral("/vekora-help-XXXXXX"));
    return ::mkdtemp(name.data()) ? QFile::decodeName(name) : QString();
}

// Leaves an identical file alone, so a viewer that has the page open is not disturbed. Anything
// else there, a link or a FIFO among them, is replaced: what it points to is never written, and
// nothing waits for a reader.
bool writeIfDifferent(const QString &root, const QString &relative, const QByteArray &bytes,
                      QString *problem) {
    const QString path = inFolder(root, relative);
    if (regularFileBytes(path) == bytes)
        return true;
    QString folder = root;
    const QStringList parts = relative.split(u'/');
    for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
        folder = inFolder(folder, parts.at(i));
        if (!privateFolder(folder)) {
            if (problem)
                *problem = QStringLiteral("%1 is not a folder of this user's alone").arg(folder);
            return false;
        }
    }
    QString reason;
    if (writeWholeFile(path, bytes, StandingFile::ProgramsOwn, &reason))
        return true;
    if (problem)
        *problem = QStringLiteral("%1: %2").arg(path, reason);
    return false;
}

bool isPage(const QString &name) {
    return name.endsWith(QLatin1String(".html"), Qt::CaseInsensitive);
}
} // namespace

QString helpPageOrBuiltIn(const QString &page, const QString &cacheFolder, QString *problem) {
    const QString name = QFileInfo(page).fileName();
    if (readable(page) || cacheFolder.isEmpty() || !QFileInfo::exists(builtInHelp + u'/' + name))
        return page;
    const QString folder = extractionFolder(cacheFolder);
    if (folder.isEmpty()) {
        if (problem)
            *problem = QStringLiteral("no private folder for the help pages");
        return page;
    }
    // The page asked for, and everything that is not a page: the pictures, in their folders.
    QDirIterator it(builtInHelp, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString resource = it.next();
        const QString relative = resource.mid(builtInHelp.size() + 1);
        if (isPage(relative) && relative != name)
            continue;
        QFile source(resource);
        if (!source.open(QIODevice::ReadOnly) ||
            !writeIfDifferent(folder, relative, source.readAll(), problem))
            return page;
    }
    return inFolder(folder, name);
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
