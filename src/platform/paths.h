#pragma once

#include <QString>

// The executable's folder, always ending in "/".
QString programFolder();

// Where help pages and videos are: beside the program in a build folder,
// ../share/vekora when installed.
QString dataFolder(const QString &programFolder);

// Vekora.ini beside the program when that folder is writable, else in the user's config folder.
QString settingsFilePath(const QString &programFolder);
