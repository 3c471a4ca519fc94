#include "ui/form1.h"

// Logout, shutdown or a signal: the session manager or the system will not wait for an answer,
// and a change made in the last minute would otherwise be lost.
void Form1::saveAndQuit() {
    if (quitting)
        return;
    // Before the welcome window's language choice there is nothing of the user's to keep, and a
    // file would make the next start skip the welcome.
    if (language_)
        GemIni(false);
    quit();
}
