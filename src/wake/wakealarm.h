#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <ctime>

class QSocketNotifier;

// One kernel timer at an absolute wall-clock time. On CLOCK_REALTIME_ALARM it also wakes the
// machine from suspend; an absolute time keeps it right when the clock is set in between.
class WakeAlarm : public QObject {
    Q_OBJECT
public:
    explicit WakeAlarm(clockid_t clock, QObject *parent = nullptr);
    ~WakeAlarm() override;

    // False when the kernel refused the timer (CLOCK_REALTIME_ALARM needs CAP_WAKE_ALARM).
    bool isValid() const { return m_fd >= 0; }
    QString error() const { return m_error; }

    // Seconds since the epoch; 0 disarms.
    bool arm(std::uint64_t when);
    // When the timer will go off, as the kernel reports it; 0 once it has gone off. Only
    // meaningful while armed: kernels report a cancelled alarm-clock timer's old time.
    std::uint64_t armedAt() const;

signals:
    void fired();

private:
    void onReadable();

    clockid_t m_clock;
    int m_fd = -1;
    QString m_error;
    QSocketNotifier *m_notifier = nullptr;
};
