#pragma once

// Stand-ins for waking the machine and holding off sleep.

#include "platform/sleepinhibitor.h"
#include "platform/wakescheduler.h"

#include <QStringList>
#include <optional>

class RecordingWakeScheduler : public WakeScheduler {
public:
    std::optional<qint64> wakeup; // what the system would hold now
    QList<std::optional<qint64>> calls;
    void setWakeup(qint64 epochSeconds) override { calls << (wakeup = epochSeconds); }
    void clearWakeup() override { calls << (wakeup = std::nullopt); }
};

class RecordingSleepInhibitor : public SleepInhibitor {
public:
    bool held = false;
    QStringList reasons; // one per hold() that took the lock
    int releases = 0;
    void hold(const QString &why) override {
        if (!held)
            reasons << why;
        held = true;
    }
    void release() override {
        if (held)
            ++releases;
        held = false;
    }
    void resume() { emit resumed(); }
};
