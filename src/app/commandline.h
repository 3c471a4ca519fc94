#pragma once

#include "platform/qpachoice.h"

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <optional>

// Handles the command line before the window exists. Returns the exit status when the program
// must end now (--version: prints "vekora 1.0.1", 0; --help: prints usage, 0; an unknown option
// or any other word: usage on stderr, 2), or nothing when it should start normally ("--" alone
// is accepted). arguments[0] is the program name.
std::optional<int> handleCommandLine(const QStringList &arguments, const QString &programFolder,
                                     QTextStream &out, QTextStream &err);

// True when a graphical display can be reached (DISPLAY or WAYLAND_DISPLAY set, or
// QT_QPA_PLATFORM names a platform that needs none, e.g. offscreen/minimal/vnc).
bool displayAvailable(const EnvironmentLookup &variable);
inline bool displayAvailable(const QProcessEnvironment &env) {
    return displayAvailable([&env](const char *name) { return env.value(QLatin1String(name)); });
}

// The one line printed (exit status 1) when there is none.
QString noDisplayMessage();

// Everything main() has to do before constructing QApplication: the command line on
// stdout/stderr, then the display check. Returns the exit status when the program must end now.
std::optional<int> handleStartup(int argc, char **argv);
