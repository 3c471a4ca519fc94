#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

// When the program last ran with one settings file: an alarm that fell while it was closed can
// then be told about at the next start. Kept apart from the settings file, whose lines stay as
// they are, in the user's state folder.
class RunRecord {
public:
    explicit RunRecord(QString path) : m_path(std::move(path)) {}

    // $XDG_STATE_HOME/Vekora/ (default ~/.local/state/Vekora/), one file per settings file.
    static QString pathFor(const QString &settingsFile);

    QString path() const { return m_path; }
    // Nothing when the program never ran with these settings, or the record is unreadable.
    std::optional<QDateTime> lastRun() const;
    // Replaces the record in one step; a link or a FIFO in its place is replaced, not followed.
    // False when it cannot be written, with the reason in `error`: the next start would then miss
    // the alarms of this run's end.
    bool stamp(const QDateTime &now, QString *error = nullptr) const;

private:
    QString m_path;
};
