#include "platform/settingsfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

std::optional<QByteArray> readSettingsFile(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

bool writeSettingsFile(const QString &path, const QByteArray &bytes, QString *error) {
    // Most saves, the one at every start among them, write what the file already holds: then
    // there is no new file to make and flush to disk before the window can show.
    if (QFile existing(path); existing.open(QIODevice::ReadOnly) &&
                              existing.size() == bytes.size() && existing.readAll() == bytes)
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
