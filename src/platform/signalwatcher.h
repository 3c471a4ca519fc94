#pragma once

#include <QList>
#include <QObject>
#include <csignal>
#include <utility>

class QSocketNotifier;

// Delivers Unix signals (SIGTERM at shutdown, SIGHUP when the terminal goes, SIGINT for Ctrl+C)
// as a Qt signal in the event loop, where the program may do anything, saving included. The
// handler itself only writes the signal's number into a socket pair. One watcher at a time; its
// end gives the signals back to the handlers they had before.
class SignalWatcher : public QObject {
    Q_OBJECT
public:
    explicit SignalWatcher(const QList<int> &signalNumbers, QObject *parent = nullptr);
    ~SignalWatcher() override;

    // False when the socket pair or a handler could not be set up; the signals then keep their
    // default action.
    bool isWatching() const { return m_notifier != nullptr; }

signals:
    void received(int signalNumber);

private:
    void readPending();

    int m_sockets[2] = {-1, -1};
    QSocketNotifier *m_notifier = nullptr;
    QList<std::pair<int, struct sigaction>> m_previous;
};
