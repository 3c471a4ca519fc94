#pragma once

// A private bus daemon configured like the system bus, with the wake-up helper's policy file as
// installed, and ways to run the helper and a second caller as another user. Shared by the
// helper's tests and the program side's.

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <optional>
#include <pwd.h>
#include <unistd.h>

namespace wakebus {

inline const QString service = QStringLiteral("com.example.norvak.VekoraWake");
inline const QString path = QStringLiteral("/com/example/norvak/VekoraWake");
inline const QString errors = service + QStringLiteral(".Error.");

struct Account {
    QString name;
    uint uid = 0, gid = 0;
    // The command run as this account (setpriv drops every capability with root's uid).
    QStringList command(const QStringList &argv) const {
        if (uid == geteuid())
            return argv;
        return QStringList{"setpriv", QStringLiteral("--reuid=%1").arg(uid),
                           QStringLiteral("--regid=%1").arg(gid), "--clear-groups"} +
               argv;
    }
};

inline std::optional<Account> account(const passwd *pw) {
    if (!pw)
        return std::nullopt;
    return Account{QString::fromLocal8Bit(pw->pw_name), pw->pw_uid, pw->pw_gid};
}
inline Account me() {
    return account(getpwuid(geteuid())).value_or(Account{});
}

// An ordinary user other than the one running the tests: "nobody", when the tests run as root
// and can become it.
inline std::optional<Account> otherUser() {
    if (geteuid() != 0 || QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty())
        return std::nullopt;
    return account(getpwnam("nobody"));
}

class PrivateSystemBus {
public:
    ~PrivateSystemBus() {
        stopHelper();
        m_daemon.kill();
        m_daemon.waitForFinished();
    }

    // `helperUser` takes the place of the helper's own user in its policy; `extraPolicy` is
    // added as written. Empty on success, else what went wrong.
    QString start(const Account &helperUser, const QString &extraPolicy = {}) {
        if (!m_dir.isValid())
            return QStringLiteral("no temporary folder");
        // Other users must reach the socket inside.
        QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                QFile::ReadOther | QFile::ExeOther |
                                                QFile::ReadGroup | QFile::ExeGroup);
        QString policy = readAll(
            QStringLiteral(VEKORA_SOURCE_DIR "/resources/wake/com.example.norvak.VekoraWake.conf"));
        policy.replace(QStringLiteral("user=\"vekora-wake\""),
                       QStringLiteral("user=\"%1\"").arg(helperUser.name));
        policy.replace(QStringLiteral("</busconfig>"),
                       extraPolicy + QStringLiteral("</busconfig>"));
        QString config = readAll(QStringLiteral(VEKORA_SOURCE_DIR "/tests/wake/systembus.conf.in"));
        config.replace(QStringLiteral("@SOCKET@"), m_dir.filePath(QStringLiteral("bus")));
        config.replace(QStringLiteral("@POLICY@"), m_dir.filePath(QStringLiteral("policy.conf")));
        if (!write(QStringLiteral("policy.conf"), policy) ||
            !write(QStringLiteral("bus.conf"), config))
            return QStringLiteral("cannot write the bus configuration");

        m_daemon.start("dbus-daemon", {"--config-file=" + m_dir.filePath("bus.conf"), "--nofork",
                                       "--print-address"});
        while (!m_daemon.canReadLine() && m_daemon.waitForReadyRead(10000)) {
        }
        address = QString::fromUtf8(m_daemon.readLine().trimmed());
        if (address.isEmpty())
            return QStringLiteral("dbus-daemon gave no address: ") +
                   QString::fromLocal8Bit(m_daemon.readAllStandardError());
        return {};
    }

    // A connection of this process, under a name of the caller's choice.
    QDBusConnection connect(const QString &name) const {
        return QDBusConnection::connectToBus(address, name);
    }

    // Runs vekora-wake as `who`; true once it owns its name.
    bool startHelper(const Account &who, const QStringList &options) {
        const QStringList argv =
            who.command(QStringList{QStringLiteral(VEKORA_WAKE_PROGRAM)} + options);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), address);
        helper.setProcessEnvironment(env);
        helper.start(argv.first(), argv.mid(1));
        if (!helper.waitForStarted(5000))
            return false;
        QDBusConnection watch = connect(QStringLiteral("wakebus-watch"));
        if (!watch.isConnected())
            return false;
        const bool owned = QTest::qWaitFor(
            [&] {
                return helper.state() != QProcess::Running ||
                       watch.interface()->isServiceRegistered(service).value();
            },
            10000);
        QDBusConnection::disconnectFromBus(QStringLiteral("wakebus-watch"));
        return owned && helper.state() == QProcess::Running;
    }

    void stopHelper() {
        if (helper.state() != QProcess::NotRunning) {
            helper.terminate();
            if (!helper.waitForFinished(5000))
                helper.kill();
            helper.waitForFinished();
        }
    }

    // Calls the helper as `who` through dbus-send: the value of GetWakeup, or "Error NAME".
    QString callAs(const Account &who, const QString &method, const QStringList &args = {}) const {
        QProcess send;
        const QStringList argv = who.command(
            QStringList{QStringLiteral("dbus-send"), QStringLiteral("--bus=") + address,
                        QStringLiteral("--print-reply"), QStringLiteral("--dest=") + service, path,
                        service + u'.' + method} +
            args);
        send.start(argv.first(), argv.mid(1));
        send.waitForFinished(10000);
        const QString out =
            QString::fromUtf8(send.readAllStandardOutput() + send.readAllStandardError());
        const QStringList lines = out.split(u'\n', Qt::SkipEmptyParts);
        for (const QString &line : lines) {
            const QString word = line.trimmed();
            if (word.startsWith(QLatin1String("uint64 ")))
                return word.mid(7);
            if (word.startsWith(QLatin1String("Error ")))
                return word.section(u':', 0, 0);
        }
        // A reply without a value; anything else is shown as it came.
        return lines.size() == 1 && lines.first().startsWith(QLatin1String("method return"))
                   ? QString()
                   : out;
    }

    QString address;
    QProcess helper;

private:
    QString readAll(const QString &file) const {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }
    bool write(const QString &name, const QString &text) {
        QFile f(m_dir.filePath(name));
        return f.open(QIODevice::WriteOnly) && f.write(text.toUtf8()) > 0;
    }

    QTemporaryDir m_dir;
    QProcess m_daemon;
};

} // namespace wakebus
