#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <functional>

// An environment variable's value by name, empty when unset. The program asks its own environment
// one variable at a time: copying the whole of it into a QProcessEnvironment maps QProcess's code
// into every start.
using EnvironmentLookup = std::function<QString(const char *name)>;
QString ownEnvironmentVariable(const char *name);

// The Qt platform plugin to ask for before QApplication exists, or empty to leave Qt's own choice.
// A Wayland session that also runs XWayland gets "xcb": only there may a ringing alarm raise its
// window over others and blink the Num Lock light. An explicit QT_QPA_PLATFORM always wins.
QByteArray chooseQtPlatform(const EnvironmentLookup &variable);
inline QByteArray chooseQtPlatform(const QProcessEnvironment &env) {
    return chooseQtPlatform([&env](const char *name) { return env.value(QLatin1String(name)); });
}
