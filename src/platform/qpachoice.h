#pragma once

#include <QByteArray>
#include <QProcessEnvironment>

// The Qt platform plugin to ask for before QApplication exists, or empty to leave Qt's own choice.
// A Wayland session that also runs XWayland gets "xcb": only there may a ringing alarm raise its
// window over others and blink the Num Lock light. An explicit QT_QPA_PLATFORM always wins.
QByteArray chooseQtPlatform(const QProcessEnvironment &env);
