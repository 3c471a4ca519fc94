#pragma once

#include <QObject>

// Asks the machine to wake from suspend at a given moment, so an alarm set on a laptop that
// sleeps at night still rings. Best effort: where the system cannot do it, nothing happens.
class WakeScheduler : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // Seconds since the epoch. Replaces any earlier wish of this user.
    virtual void setWakeup(qint64 epochSeconds) = 0;
    virtual void clearWakeup() = 0;
};
