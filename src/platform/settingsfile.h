#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The file's bytes; nothing when it cannot be opened, which is how a first start shows itself.
std::optional<QByteArray> readSettingsFile(const QString &path, QString *problem = nullptr);

// Replaces the file in one step, creating its folder when missing: a crash or a failed write
// never leaves a half-written file. A file that already holds these bytes is left alone. On
// failure the old file stays, one warning goes to stderr, the result is false and error (when
// given) says why.
bool writeSettingsFile(const QString &path, const QByteArray &bytes, QString *error = nullptr);
