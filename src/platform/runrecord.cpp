#include "platform/runrecord.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cstdio>

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
    // Only a regular file: anything else in its place is no record of ours.
    if (!QFileInfo(m_path).isFile() || QFileInfo(m_path).isSymLink())
        return std::nullopt;
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    bool ok = false;
    const qint64 seconds = file.read(32).trimmed().toLongLong(&ok);
    if (!ok || seconds <= 0)
        return std::nullopt;
    return QDateTime::fromSecsSinceEpoch(seconds);
}

bool RunRecord::stamp(const QDateTime &now, QString *) const {
    const QString folder = QFileInfo(m_path).absolutePath();
    if (!QDir().mkpath(folder))
        return false;
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QTemporaryFile file(m_path + QStringLiteral(".XXXXXX"));
    if (!file.open())
        return false;
    const QByteArray text = QByteArray::number(now.toSecsSinceEpoch()) + '\n';
    if (file.write(text) != text.size() || !file.flush())
        return false;
    // rename() puts a new file in place of whatever is there without opening it.
    if (std::rename(QFile::encodeName(file.fileName()).constData(),
                    QFile::encodeName(m_path).constData()) != 0)
        return false;
    file.setAutoRemove(false);
    return true;
}
