#pragma once

#include <QString>

// The executable's folder, always ending in "/".
QString programFolder();

// The same folder, for use before any QCoreApplication exists (command-line handling must work
// without a display). Reads /proc/self/exe; falls back to argv0, looked up in PATH when bare.
QString programFolderBeforeApp(const QString &argv0);

// Where help pages and videos are: beside the program in a build folder,
// ../share/vekora when installed.
QString dataFolder(const QString &programFolder);

// Vekora.ini beside the program when that folder is writable, else ~/.config/Vekora/.
QString settingsFilePath(const QString &programFolder);

// The settings file the start-up reads: the one saves go to, except when the settings cannot be
// kept beside the program (a read-only folder) but a Vekora.ini is there and none has been saved
// in the configuration folder yet. Reading that one keeps the user's settings; the first save
// then moves them to the configuration folder.
QString settingsReadPath(const QString &programFolder);

// Where F1 writes the help pages built into the program when none lie in the data folder:
// $XDG_CACHE_HOME/Vekora, else ~/.cache/Vekora. Known before any QCoreApplication exists.
QString helpCacheFolder();
