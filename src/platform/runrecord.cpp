#include "platform/runrecord.h"

#include "platform/wholefile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

QString RunRecord::pathFor(const QString &settingsFile) {
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || QDir::isRelativePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    const QByteArray key =
        QCryptographicHash::hash(QFileInfo(settingsFile).absoluteFilePath().toUtf8(),
                                 QCryptographicHash::Sha256)
            .toHex()
            .left(16);
    return state + QStringLiteral("/Vekora/lastrun-") + QString::fromLatin1(key);
}

std::optional<QDateTime> RunRecord::lastRun() const {
    // Only a regular file: a link or anything else in its place is no record of ours. O_NONBLOCK:
    // a FIFO would otherwise hold the start up until someone writes into it. What was opened is
    // then looked at, not the name, so nothing can be swapped in between.
    const int fd = ::open(QFile::encodeName(m_path).constData(),
                          O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat status;
    char text[32];
    ssize_t count = -1;
    if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode))
        count = ::read(fd, text, sizeof text);
    ::close(fd);
    if (count <= 0)
        return std::nullopt;
    bool ok = false;
    const qint64 seconds = QByteArray(text, count).trimmed().toLongLong(&ok);
    if (!ok || seconds <= 0)
        return std::nullopt;
    return QDateTime::fromSecsSinceEpoch(seconds);
}

bool RunRecord::stamp(const QDateTime &now, QString *error) const {
    const QString folder = QFileInfo(m_path).absolutePath();
    if (!QFileInfo(folder).isDir()) {
        // Made here, the folder is private from the start. One that is there already, or a link
        // to one, is the user's to set and is never changed.
        QDir().mkpath(QFileInfo(folder).absolutePath());
        if (!QDir().mkdir(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner) &&
            !QFileInfo(folder).isDir()) {
            if (error)
                *error = QStringLiteral("cannot create the folder %1").arg(folder);
            return false;
        }
    }
    return writeWholeFile(m_path, QByteArray::number(now.toSecsSinceEpoch()) + '\n',
                          StandingFile::ProgramsOwn, error);
}
