#pragma once

#include <QObject>

// A desktop notification for the ringing alarm, with one action that stops it.
class AlarmNotifier : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    virtual void show(const QString &title, const QString &body) = 0;
    virtual void withdraw() = 0;

signals:
    void stopRequested();
};

class NullNotifier final : public AlarmNotifier {
    Q_OBJECT
public:
    using AlarmNotifier::AlarmNotifier;
    void show(const QString &, const QString &) override {}
    void withdraw() override {}
};
