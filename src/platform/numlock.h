#pragma once

// Same declaration as Xlib's, so callers need not pull in Xlib and its macros.
typedef struct _XDisplay Display;

// Sends `presses` press-and-release pairs of the Num Lock key through XTest and flushes, without
// waiting for the server. False, and nothing sent, when the display lacks XTest or has no Num Lock
// key.
bool pressNumLock(Display *display, int presses);

// One Num Lock press on the application's X11 display; a no-op on any other windowing system.
void pressNumLockOnDesktop();
