#pragma once

// A private bus daemon configured like the system bus, with the wake-up helper's policy file as
// installed, and ways to run the helper and callers as another user.

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <pwd.h>
#include <unistd.h>

namespace wakebus {

inline const QString service = QStringLiteral("com.example.norvak.VekoraWake");

struct Account {
    QString name;
    uint uid = 0, gid = 0;
    static Account of(const passwd *pw) { return {pw->pw_name, pw->pw_uid, pw->pw_gid}; }
    static Account self() { return of(getpwuid(geteuid())); }
    // An ordinary user for root to become.
    static Account nobody() { return of(getpwnam("nobody")); }
    // The command run as this account (setpriv drops every capability with root's uid).
    QStringList command(const QStringList &argv) const {
        if (uid == geteuid())
            return argv;
        return QStringList{"setpriv", QStringLiteral("--reuid=%1").arg(uid),
                           QStringLiteral("--regid=%1").arg(gid), "--clear-groups"} +
               argv;
    }
};

class PrivateSystemBus {
public:
    ~PrivateSystemBus() {
        stopHelper();
        QDBusConnection::disconnectFromBus("me");
        m_daemon.kill();
        m_daemon.waitForFinished();
    }

    // `helperUser` takes the place of the helper's own user in its policy; `extraPolicy` is
    // added as written. True once this process is connected as `me`.
    bool start(const Account &helperUser = Account::self(), const QString &extraPolicy = {}) {
        // Other users must reach the socket inside.
        QFile::setPermissions(m_dir.path(), QFile::permissions(m_dir.path()) | QFile::ExeOther);
        QString policy = readAll(VEKORA_SOURCE_DIR "/resources/wake/" + service + ".conf");
        policy.replace("user=\"vekora-wake\"", "user=\"" + helperUser.name + '"');
        policy.replace("</busconfig>", extraPolicy + "</busconfig>");
        QString config = readAll(VEKORA_SOURCE_DIR "/tests/wake/systembus.conf.in");
        config.replace("@SOCKET@", m_dir.filePath("bus"));
        config.replace("@POLICY@", m_dir.filePath("policy.conf"));
        write("policy.conf", policy);
        write("bus.conf", config);
        m_daemon.start("dbus-daemon", {"--config-file=" + m_dir.filePath("bus.conf"), "--nofork",
                                       "--print-address"});
        m_daemon.waitForReadyRead(10000);
        address = QString::fromUtf8(m_daemon.readLine().trimmed());
        me = QDBusConnection::connectToBus(address, "me");
        return me.isConnected();
    }

    // Runs vekora-wake as `who`; true once it owns its name.
    bool startHelper(const Account &who = Account::self(),
                     const QStringList &options = {"--plain-clock"}) {
        const QStringList argv = who.command(QStringList{VEKORA_WAKE_PROGRAM} + options);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DBUS_SYSTEM_BUS_ADDRESS", address);
        helper.setProcessEnvironment(env);
        helper.start(argv.first(), argv.mid(1));
        return QTest::qWaitFor(
                   [&] {
                       return helper.state() == QProcess::NotRunning ||
                              me.interface()->isServiceRegistered(service).value();
                   },
                   10000) &&
               helper.state() == QProcess::Running;
    }

    void stopHelper() {
        helper.terminate();
        helper.waitForFinished();
    }

    // Calls the helper as `who` through dbus-send: empty for a plain reply, else the value of
    // GetWakeup, the error's name or whatever else came.
    QString call(const Account &who, const QString &method, const QStringList &args = {}) const {
        const QStringList argv = who.command(
            QStringList{"dbus-send", "--bus=" + address, "--print-reply", "--dest=" + service,
                        "/com/example/norvak/VekoraWake", service + '.' + method} +
            args);
        QProcess send;
        send.start(argv.first(), argv.mid(1));
        send.waitForFinished(10000);
        const QString out = send.readAllStandardOutput() + send.readAllStandardError();
        static const QRegularExpression answer(R"(^\s*uint64 (\d+)|^Error ([^:]+))",
                                               QRegularExpression::MultilineOption);
        const QRegularExpressionMatch m = answer.match(out);
        if (m.hasMatch())
            return m.captured(1) + m.captured(2);
        return send.exitCode() == 0 ? QString() : out;
    }

    QString address;
    QDBusConnection me{QString()};
    QProcess helper;

private:
    static QString readAll(const QString &name) {
        QFile f(name);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }
    void write(const QString &name, const QString &text) {
        QFile f(m_dir.filePath(name));
        if (f.open(QIODevice::WriteOnly))
            f.write(text.toUtf8());
    }

    QTemporaryDir m_dir;
    QProcess m_daemon;
};

} // namespace wakebus
