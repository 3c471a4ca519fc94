#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The file's bytes. Nothing when there are none to read: silently for a missing file, which is
// how a first start shows itself; otherwise with the reason in `problem` (a FIFO or a device, a
// file larger than the reader takes, one that cannot be opened), so the start can say why.
std::optional<QByteArray> readSettingsFile(const QString &path, QString *problem = nullptr);

// Replaces the file in one step, creating its folder when missing: a full disk or a crash never
// leaves a half-written or empty file. A file that already holds these bytes is left alone. A link
// to a regular file is written through; anything else that is not a regular file is refused. On
// failure the old file stays, one warning naming the file and the reason goes to stderr, the
// result is false and error (when given) says why.
bool writeSettingsFile(const QString &path, const QByteArray &bytes, QString *error = nullptr);
