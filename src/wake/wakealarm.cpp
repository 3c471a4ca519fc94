#include "wake/wakealarm.h"

#include <QSocketNotifier>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <sys/timerfd.h>
#include <unistd.h>

WakeAlarm::WakeAlarm(clockid_t clock, QObject *parent) : QObject(parent), m_clock(clock) {
    m_fd = timerfd_create(clock, TFD_CLOEXEC | TFD_NONBLOCK);
    if (m_fd < 0) {
        m_error = QString::fromLocal8Bit(std::strerror(errno));
        return;
    }
    m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &WakeAlarm::onReadable);
}

WakeAlarm::~WakeAlarm() {
    if (m_fd >= 0)
        ::close(m_fd);
}

bool WakeAlarm::arm(std::uint64_t when) {
    if (m_fd < 0)
        return false;
    itimerspec expiry{};
    // time_t is signed; the table never holds a time this far out, but the kernel must not
    // see a negative one if it ever did.
    expiry.it_value.tv_sec =
        time_t(std::min<std::uint64_t>(when, std::numeric_limits<time_t>::max()));
    if (timerfd_settime(m_fd, TFD_TIMER_ABSTIME, &expiry, nullptr) == 0)
        return true;
    m_error = QString::fromLocal8Bit(std::strerror(errno));
    return false;
}

std::uint64_t WakeAlarm::armedAt() const {
    itimerspec left{};
    if (m_fd < 0 || timerfd_gettime(m_fd, &left) != 0)
        return 0;
    if (left.it_value.tv_sec == 0 && left.it_value.tv_nsec == 0)
        return 0;
    timespec now{};
    clock_gettime(m_clock == CLOCK_REALTIME_ALARM ? CLOCK_REALTIME : m_clock, &now);
    // Remaining time plus now; rounded to the second the timer was set for.
    const long long nanos = (now.tv_nsec + left.it_value.tv_nsec) + 500'000'000LL;
    return std::uint64_t(now.tv_sec + left.it_value.tv_sec + nanos / 1'000'000'000LL);
}

void WakeAlarm::onReadable() {
    std::uint64_t expirations = 0;
    // Non-blocking: a clock step may have cancelled the expiry between poll and read.
    if (::read(m_fd, &expirations, sizeof expirations) == sizeof expirations)
        emit fired();
}
