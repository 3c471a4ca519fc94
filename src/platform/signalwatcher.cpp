#include "platform/signalwatcher.h"

#include <QSocketNotifier>
#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// A signal handler can reach nothing but static storage; this is the only such variable in the
// program, set while a watcher exists.
volatile std::sig_atomic_t writeEnd = -1;

extern "C" void onSignal(int number) {
    const int savedErrno = errno;
    const auto byte = static_cast<unsigned char>(number);
    // The end does not block: with the pipe full, further signals of this burst are dropped.
    [[maybe_unused]] const ssize_t written = ::write(writeEnd, &byte, 1);
    errno = savedErrno;
}

} // namespace

SignalWatcher::SignalWatcher(const QList<int> &signalNumbers, QObject *parent) : QObject(parent) {
    if (writeEnd != -1) {
        qWarning("vekora: a second signal watcher is not supported");
        return;
    }
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, m_sockets) != 0) {
        qWarning("vekora: no socket pair for signals: %s", std::strerror(errno));
        return;
    }
    writeEnd = m_sockets[0];
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : signalNumbers) {
        struct sigaction before = {};
        if (::sigaction(number, &action, &before) == 0)
            m_previous.append({number, before});
    }
    m_notifier = new QSocketNotifier(m_sockets[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &SignalWatcher::readPending);
}

SignalWatcher::~SignalWatcher() {
    for (const auto &[number, before] : m_previous)
        ::sigaction(number, &before, nullptr);
    if (m_sockets[0] != -1) {
        writeEnd = -1;
        ::close(m_sockets[0]);
        ::close(m_sockets[1]);
    }
}

void SignalWatcher::readPending() {
    unsigned char numbers[16];
    ssize_t count;
    while ((count = ::read(m_sockets[1], numbers, sizeof numbers)) > 0) {
        for (ssize_t i = 0; i < count; ++i)
            emit received(numbers[i]);
    }
}
