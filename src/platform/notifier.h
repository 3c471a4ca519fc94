#pragma once

#include <QObject>

// A desktop notification for the ringing alarm, with one action that stops it.
class AlarmNotifier : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    virtual void show(const QString &title, const QString &body) = 0;
    virtual void withdraw() = 0;
    // A plain notice of normal urgency that stays until the user dismisses it.
    virtual void notice(const QString &title, const QString &body) = 0;

signals:
    void stopRequested();
};
