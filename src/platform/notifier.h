#pragma once

#include <QObject>

// A desktop notification for the ringing alarm, with actions that stop it or snooze it.
class AlarmNotifier : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // The snooze action's label in the current language; empty: no snooze offered.
    void setSnoozeLabel(const QString &label) { snoozeLabel_ = label; }
    QString snoozeLabel() const { return snoozeLabel_; }
    virtual void show(const QString &title, const QString &body) = 0;
    virtual void withdraw() = 0;
    // A plain notice of normal urgency that stays until the user dismisses it.
    virtual void notice(const QString &title, const QString &body) = 0;

signals:
    void stopRequested();
    void snoozeRequested();

private:
    QString snoozeLabel_;
};
