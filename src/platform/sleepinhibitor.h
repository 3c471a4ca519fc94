#pragma once

#include <QObject>
#include <QString>

// Keeps the machine from going to sleep (a closed lid included) while held, and tells when it
// has just woken up.
class SleepInhibitor : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // `why` is shown to the user by the desktop; holding again while held changes nothing.
    virtual void hold(const QString &why) = 0;
    virtual void release() = 0;

signals:
    // The machine has resumed from suspend or hibernation.
    void resumed();
};
