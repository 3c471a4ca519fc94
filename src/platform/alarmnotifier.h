#pragma once

#include <QObject>
#include <QString>

// The alarm's desktop notifications: the ringing alarm with its actions, the pending snooze that
// can be cancelled, and plain notices.
class AlarmNotifier : public QObject {
    Q_OBJECT
public:
    // The actions' texts in the current language; an empty snooze label offers no snooze.
    struct Labels {
        QString stop, snooze, cancelSnooze, show;
    };

    using QObject::QObject;
    void setLabels(const Labels &labels) { m_labels = labels; }
    const Labels &labels() const { return m_labels; }

    // Urgent and never expiring, until withdrawn: Stop, Snooze and a click on it.
    virtual void showRinging(const QString &title, const QString &body) = 0;
    virtual void withdrawRinging() = 0;
    // Of normal urgency, until withdrawn: its one action cancels the snooze.
    virtual void showSnoozed(const QString &title, const QString &body) = 0;
    virtual void withdrawSnoozed() = 0;
    // A plain notice of normal urgency that stays until the user dismisses it.
    virtual void notice(const QString &title, const QString &body) = 0;

signals:
    void stopRequested();
    void snoozeRequested();
    void cancelSnoozeRequested();
    // The user clicked the ringing notification: the alarm's window is wanted in front.
    // `activationToken` is the desktop's leave to take the focus, when it sent one.
    void showRequested(const QString &activationToken);

private:
    Labels m_labels;
};
