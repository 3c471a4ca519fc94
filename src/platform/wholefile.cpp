#include "platform/wholefile.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray encoded(const QString &path) {
    return QFile::encodeName(path);
}

QString lastError() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

bool fail(QString *error, const QString &reason) {
    if (error)
        *error = reason;
    return false;
}

struct Target {
    QString path;
    std::optional<mode_t> mode; // the old file's, kept by the new one
};

// Where the bytes of a file the user owns go: the path itself, or what its links lead to.
// Qt's QSaveFile would follow a link to a FIFO or a device too, and rename a regular file over it.
std::optional<Target> usersFileTarget(const QString &path, QString *error) {
    Target target{path, std::nullopt};
    for (int links = 0; links < 40; ++links) {
        struct stat status;
        if (::lstat(encoded(target.path).constData(), &status) != 0) {
            if (errno == ENOENT)
                return target;
            fail(error, lastError());
            return std::nullopt;
        }
        if (S_ISLNK(status.st_mode)) {
            target.path = QFileInfo(target.path).symLinkTarget();
            if (!target.path.isEmpty())
                continue;
            fail(error, QStringLiteral("%1: the link cannot be read").arg(path));
            return std::nullopt;
        }
        if (!S_ISREG(status.st_mode)) {
            fail(error, target.path == path
                            ? QStringLiteral("%1 is not a regular file").arg(path)
                            : QStringLiteral("%1 links to %2, which is not a regular file")
                                  .arg(path, target.path));
            return std::nullopt;
        }
        target.mode = status.st_mode & 07777;
        return target;
    }
    fail(error, QStringLiteral("%1: too many levels of links").arg(path));
    return std::nullopt;
}

// A name of our own beside the target, made here and now, so nothing of anyone else's is opened.
// Created as any new file is (0666 less the umask): it becomes the file.
int createBeside(const QFileInfo &target, QString *created) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        *created = target.absolutePath() + QStringLiteral("/.") + target.fileName() + u'-' +
                   QString::number(QRandomGenerator::global()->generate(), 36);
        const int fd = ::open(encoded(*created).constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

bool writeAll(int fd, const QByteArray &bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t count = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return false;
        done += count;
    }
    return true;
}

} // namespace

bool writeWholeFile(const QString &path, const QByteArray &bytes, StandingFile standing,
                    QString *error) {
    Target target{path, std::nullopt};
    if (standing == StandingFile::UsersOwn) {
        const std::optional<Target> found = usersFileTarget(path, error);
        if (!found)
            return false;
        target = *found;
    }
    const QFileInfo info(target.path);
    QString temporary;
    const int fd = createBeside(info, &temporary);
    if (fd < 0)
        return fail(
            error,
            QStringLiteral("cannot create a file in %1: %2").arg(info.absolutePath(), lastError()));
    // A full disk shows itself in the write or only in the sync; either way the old file stays.
    const auto abandon = [&](bool open) {
        const QString reason = lastError();
        if (open)
            ::close(fd);
        ::unlink(encoded(temporary).constData());
        return fail(error, reason);
    };
    if (target.mode)
        ::fchmod(fd, *target.mode); // a mode that cannot be kept is no reason to lose the file
    if (!writeAll(fd, bytes) || ::fsync(fd) != 0)
        return abandon(true);
    if (::close(fd) != 0)
        return abandon(false);
    // rename() puts the new file in place of whatever is there without opening it.
    if (::rename(encoded(temporary).constData(), encoded(target.path).constData()) != 0)
        return abandon(false);
    return true;
}
