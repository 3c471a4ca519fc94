#pragma once

#include <QByteArray>
#include <QString>

// Starting with the desktop: a desktop entry in the user's autostart folder, which every
// freedesktop session reads at log-in.

// $XDG_CONFIG_HOME/autostart/vekora.desktop, else ~/.config/autostart/vekora.desktop.
QString autostartEntryPath();

// One argument of an Exec key, written so that any path, blanks, quotes and dollar signs
// included, reaches the program unchanged (quoted when it must be, then escaped as a string).
QString execArgument(const QString &argument);

// The Exec value that starts the program at `programPath` on every desktop; empty when no entry
// can (a path with both a % and a =).
QString autostartExec(const QString &programPath);

// The entry that starts the program at `programPath`; empty when none can.
QByteArray autostartEntry(const QString &programPath);

// Writes (on) or removes (off) the entry at `entryPath`. False on failure, with the reason in
// `error`; a failed write leaves the old entry, or none, as it was. A link to a regular file is
// written through; anything else that is not a regular file is refused.
bool setAutostart(bool on, const QString &entryPath, const QString &programPath, QString &error);
