#include "platform/singleinstance.h"

#include <QDir>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// The real program, started as a user would, in folders of its own so its settings live there.
class TestSingleInstance : public QObject {
    Q_OBJECT

    QTemporaryDir home;

    QString programIn(const QString &name) const { return home.filePath(name) + u'/'; }

    std::unique_ptr<QProcess> start(const QString &folder) {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("HOME"), home.path());
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.filePath(QStringLiteral("runtime")));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_CACHE_HOME"), home.filePath(QStringLiteral("cache")));
        env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("vekora.instance.info=true"));
        process->setProcessEnvironment(env);
        process->start(folder + QStringLiteral("vekora"), {});
        return process;
    }

    static QString socketOf(const QString &folder) {
        return SingleInstance::socketPath(folder + QStringLiteral("Vekora.ini"));
    }

    // Connecting without a request does nothing to the running copy.
    static bool listening(const QString &folder) {
        QLocalSocket socket;
        socket.connectToServer(socketOf(folder));
        return socket.waitForConnected(200);
    }

private slots:
    void initTestCase() {
        const QString runtime = home.filePath(QStringLiteral("runtime"));
        QVERIFY(QDir().mkpath(runtime));
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
        for (const QString &name : {QStringLiteral("a"), QStringLiteral("b")}) {
            QVERIFY(QDir().mkpath(programIn(name)));
            QVERIFY(QFile::copy(QStringLiteral(VEKORA_PROGRAM), programIn(name) + "vekora"));
            QFile ini(programIn(name) + QStringLiteral("Vekora.ini"));
            QVERIFY(ini.open(QIODevice::WriteOnly));
            ini.write("0\r\n1 0 \r\n 0 \r\n 0 \r\n 0 \r\n07:30\r\n\r\nOn ((o))\r\n");
        }
    }

    void secondStartEndsAndTellsTheFirst() {
        const QString a = programIn(QStringLiteral("a"));
        const QString b = programIn(QStringLiteral("b"));
        auto first = start(a);
        QTRY_VERIFY_WITH_TIMEOUT(listening(a), 10000);
        auto second = start(a);
        QVERIFY(second->waitForFinished(10000));
        QCOMPARE(QPair(second->exitStatus(), second->exitCode()), QPair(QProcess::NormalExit, 0));
        QByteArray told;
        QTRY_VERIFY((told += first->readAllStandardError()).contains("bringing the window back"));

        // Another folder, other settings: runs beside it.
        auto other = start(b);
        QTRY_VERIFY_WITH_TIMEOUT(listening(b), 10000);
        QCOMPARE(QPair(first->state(), other->state()),
                 QPair(QProcess::Running, QProcess::Running));

        // A killed copy (SIGKILL: no clean-up at all) leaves its socket, which blocks nothing.
        for (QProcess *process : {first.get(), other.get()}) {
            process->kill();
            process->waitForFinished(5000);
        }
        QVERIFY(QFileInfo::exists(socketOf(a)) && !listening(a));
        auto next = start(a);
        QTRY_VERIFY_WITH_TIMEOUT(listening(a), 10000);
        next->kill();
        next->waitForFinished(5000);
    }
};

QTEST_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
