#include "platform/settingsfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// A real settings file is a few hundred bytes; this is far above any, and small enough that a
// link to an endless device cannot fill the memory.
constexpr qsizetype readLimit = 128 * 1024;
} // namespace

std::optional<QByteArray> readSettingsFile(const QString &path, QString *) {
    // O_NONBLOCK: opening a FIFO would otherwise wait for a writer, and the program would hang
    // before its window, deaf to signals. What was opened is then looked at, not the name, so
    // nothing can be swapped in between the look and the read.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat status;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    QByteArray bytes(readLimit, Qt::Uninitialized);
    qsizetype total = 0;
    while (total < readLimit) {
        const ssize_t count = ::read(fd, bytes.data() + total, std::size_t(readLimit - total));
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
    if (!QDir().mkpath(folder)) {
        qWarning("Vekora: settings not saved: cannot create folder %s", qUtf8Printable(folder));
        if (error)
            *error = QStringLiteral("cannot create the folder %1").arg(folder);
        return false;
    }
    // QSaveFile writes a temporary file beside the old one and renames it over the old one only
    // when every byte is on disk, so the old settings survive any failure on the way.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        qWarning("Vekora: settings not saved to %s: %s", qUtf8Printable(path),
                 qUtf8Printable(file.errorString()));
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}
