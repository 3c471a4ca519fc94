#pragma once

// Same declaration as Xlib's, so callers need not pull in Xlib and its macros.
typedef struct _XDisplay Display;

// Sends `presses` press-and-release pairs of the Num Lock key through XTest and flushes, without
// waiting for the server. An even count leaves the Num Lock state as it was. False, and nothing
// sent, when the display lacks XTest or has no Num Lock key.
bool pressNumLock(Display *display, int presses);

// Two Num Lock presses on the application's X11 display so only the light blinks; a no-op on any
// other windowing system.
void blinkNumLockOnDesktop();
