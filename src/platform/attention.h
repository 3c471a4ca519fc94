#pragma once

#include <QString>

class QWidget;

// What a ringing alarm does to get noticed.
class Attention {
public:
    virtual ~Attention() = default;
    virtual void beep() = 0;
    // Makes the beep ready to sound at once; the alarm is near.
    virtual void prepareBeep() = 0;
    // Restores, raises and activates the window of its own accord.
    virtual void bringToFront(QWidget *window) = 0;
    // The same, asked for by the user elsewhere (a click on the alarm's notification), which the
    // desktop lets take the focus from another window. `activationToken` is the desktop's leave
    // for it when it sent one.
    virtual void bringToFrontAsked(QWidget *window, const QString &activationToken) = 0;
    // One press and release of Num Lock: its light changes. NumLockBlinker makes a blink of two.
    virtual void pressNumLock() = 0;
};
