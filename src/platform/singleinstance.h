#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

class QSocketNotifier;

// One running copy per settings file. The first copy listens on a local socket named after its
// settings file, in a folder only this user can write (no session bus needed); a later start with
// the same file finds it there, asks it to come back and ends, unless another user runs what
// answers there. A socket left by a crashed copy answers no one and is taken over. Plain Unix
// sockets: this is all the program would use a network library for.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString &settingsFile, QObject *parent = nullptr);
    ~SingleInstance() override;

    // True when this is the only copy (it now listens); false when another copy runs and has
    // been told to come back, so this one should end. When no socket can be made at all, the
    // program runs unguarded rather than not at all, and the result is true.
    bool claim();

    // The socket's name in its folder: a hash of the settings file's absolute path.
    static QString socketName(const QString &settingsFile);

signals:
    // Another start with the same settings file asked for this copy's window.
    void activationRequested();

private:
    bool tellRunningCopy();
    void listen();
    void acceptPending();
    void pauseListening(int error);
    void readRequest(QSocketNotifier *connection, QByteArray &received);
    void drop(QSocketNotifier *connection);
    static void hangUp(QSocketNotifier *connection);

    QString m_socketPath; // empty: no folder to trust, the program runs unguarded
    QSocketNotifier *m_listener = nullptr;
    QList<QSocketNotifier *> m_held; // connections still short of their line, oldest first
    bool m_acceptFailing = false;    // said once until the queue is empty again
};
