#include "platform/settingsfile.h"

#include "core/settingscodec.h"
#include "platform/wholefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
std::optional<QByteArray> nothing(QString *problem, const QString &reason) {
    if (problem)
        *problem = reason;
    return std::nullopt;
}
} // namespace

std::optional<QByteArray> readSettingsFile(const QString &path, QString *problem) {
    // O_NONBLOCK: opening a FIFO would otherwise wait for a writer, and the program would hang
    // before its window, deaf to signals. What was opened is then looked at, not the name, so
    // nothing can be swapped in between the look and the read.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return nothing(problem,
                       errno == ENOENT ? QString() : QString::fromLocal8Bit(std::strerror(errno)));
    struct stat status;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return nothing(problem, QStringLiteral("%1 is not a regular file").arg(path));
    }
    // Cut, it would lose its last lines, the switch's state among them, and then be saved so.
    if (status.st_size > settingsReadLimit) {
        ::close(fd);
        return nothing(
            problem,
            QStringLiteral("%1 is larger than %2 KiB").arg(path).arg(settingsReadLimit / 1024));
    }
    QByteArray bytes(settingsReadLimit, Qt::Uninitialized);
    qsizetype total = 0;
    while (total < settingsReadLimit) {
        const ssize_t count =
            ::read(fd, bytes.data() + total, std::size_t(settingsReadLimit - total));
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            break;
        total += count;
    }
    ::close(fd);
    bytes.truncate(total);
    return bytes;
}

bool writeSettingsFile(const QString &path, const QByteArray &bytes, QString *error) {
    // Most saves, the one at every start among them, write what the file already holds: then
    // there is no new file to make and flush to disk before the window can show.
    if (readSettingsFile(path) == bytes)
        return true;
    const QString folder = QFileInfo(path).absolutePath();
    QString reason;
    if (!QDir().mkpath(folder))
        reason = QStringLiteral("cannot create the folder %1").arg(folder);
    else if (writeWholeFile(path, bytes, StandingFile::UsersOwn, &reason))
        return true;
    qWarning("Vekora: settings not saved to %s: %s", qUtf8Printable(path), qUtf8Printable(reason));
    if (error)
        *error = reason;
    return false;
}
