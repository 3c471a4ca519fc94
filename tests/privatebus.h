#pragma once

// A bus daemon of the test's own where anyone may own any name and call anything: the user's own
// services never see the tests, and nothing on it is started on demand behind their back.

#include <QDBusConnection>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

class PrivateBus {
public:
    PrivateBus() {
        QFile config(m_dir.filePath(QStringLiteral("bus.conf")));
        if (config.open(QIODevice::WriteOnly))
            config.write("<busconfig><type>session</type><listen>unix:dir=" +
                         QFile::encodeName(m_dir.path()) +
                         "</listen><policy context=\"default\"><allow send_destination=\"*\"/>"
                         "<allow receive_sender=\"*\"/><allow own=\"*\"/></policy></busconfig>\n");
        config.close();
        m_daemon.start(QStringLiteral("dbus-daemon"),
                       {"--config-file=" + config.fileName(), "--nofork", "--print-address"});
        m_daemon.waitForReadyRead(10000);
        m_address = QString::fromUtf8(m_daemon.readLine().trimmed());
    }
    ~PrivateBus() {
        for (const QString &name : std::as_const(m_names))
            QDBusConnection::disconnectFromBus(name);
        m_daemon.terminate();
        m_daemon.waitForFinished();
    }
    // A connection of its own under `name`.
    QDBusConnection connect(const QString &name) {
        m_names << name;
        return QDBusConnection::connectToBus(m_address, name);
    }

private:
    QTemporaryDir m_dir;
    QProcess m_daemon;
    QString m_address;
    QStringList m_names;
};
