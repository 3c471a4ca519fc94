#pragma once

#include <QString>

class QWidget;

// The X server time a startup-notification id carries ("..._TIME1234" gives 1234); 0 (the
// server's current time) when it carries none.
unsigned long activationTime(const QString &activationToken);

// Asks the X11 window manager to activate `window` as a pager or task bar does for a user's click
// (_NET_ACTIVE_WINDOW, source "pager"), with the time the token carries: a window manager that
// keeps programs from stealing the focus lets the user's own request through. False, and nothing
// sent, on any other windowing system.
bool requestActiveWindow(QWidget *window, const QString &activationToken);
