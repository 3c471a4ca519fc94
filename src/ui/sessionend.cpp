#include "ui/form1.h"

// Logout, shutdown or a signal: the session manager or the system will not wait for an answer,
// and a change made in the last minute would otherwise be lost.
void Form1::saveAndQuit() {
    if (quitting)
        return;
    GemIni();
    quitting = true;
    emit quitRequested();
}
