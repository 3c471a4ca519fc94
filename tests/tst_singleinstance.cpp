#include "fakes.h"
#include "platform/singleinstance.h"

#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QTime>

namespace {
// Who was brought to the front, so the test sees which window a second start restores.
class TargetAttention : public BasicAttention {
public:
    QList<QWidget *> targets;
    void bringToFront(QWidget *window) override {
        targets << window;
        BasicAttention::bringToFront(window);
    }
};

// Every file of a folder with its size and time: what a second start must leave as it is.
QStringList snapshot(const QString &folder) {
    QStringList files;
    for (const QFileInfo &info :
         QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot))
        files << info.fileName() + u' ' + info.lastModified().toString(Qt::ISODateWithMs) + u' ' +
                     QString::number(info.size());
    return files;
}
} // namespace

class TestSingleInstance : public QObject {
    Q_OBJECT

    QTemporaryDir home;
    QString runtime;

    QString programIn(const QString &name) const { return home.filePath(name) + u'/'; }

    // The real program, copied alone into a folder of its own so its settings live there.
    std::unique_ptr<QProcess> start(const QString &folder) {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("HOME"), home.path());
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_CACHE_HOME"), home.filePath(QStringLiteral("cache")));
        env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("vekora.instance.info=true"));
        process->setProcessEnvironment(env);
        process->setProcessChannelMode(QProcess::SeparateChannels);
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

    static void stop(QProcess &process) {
        process.kill();
        process.waitForFinished(5000);
    }

private slots:
    void initTestCase() {
        QVERIFY(home.isValid());
        runtime = home.filePath(QStringLiteral("runtime"));
        QVERIFY(QDir().mkpath(runtime));
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
        for (const char *name : {"a", "b"}) {
            const QString folder = programIn(QString::fromLatin1(name));
            QVERIFY(QDir().mkpath(folder));
            QVERIFY(QFile::copy(QStringLiteral(VEKORA_PROGRAM), folder + QStringLiteral("vekora")));
            QFile ini(folder + QStringLiteral("Vekora.ini"));
            QVERIFY(ini.open(QIODevice::WriteOnly));
            ini.write("0\r\n1 0 \r\n 0 \r\n 0 \r\n 0 \r\n07:30\r\n\r\nOn ((o))\r\n");
        }
    }

    void secondClaimHandsOver() {
        SingleInstance first(QStringLiteral("/nowhere/one/Vekora.ini"));
        QVERIFY(first.claim());
        QSignalSpy asked(&first, &SingleInstance::activationRequested);
        // The same file by another spelling of its path is the same settings.
        SingleInstance second(QStringLiteral("/nowhere/two/../one/Vekora.ini"));
        QVERIFY(!second.claim());
        QTRY_COMPARE(asked.size(), 1);
        SingleInstance other(QStringLiteral("/nowhere/two/Vekora.ini"));
        QVERIFY(other.claim());
        QCOMPARE(asked.size(), 1);
    }

    // The running copy restores its minimised window; while the start-up's modal window is
    // open, that window comes back and the hidden main window stays hidden.
    void firstWindowComesBack() {
        TestRig rig;
        TargetAttention attention;
        Platform platform = rig.platform();
        platform.attention = &attention;
        Form1 form(platform);
        SingleInstance instance(rig.iniPath());
        QVERIFY(instance.claim());
        connect(&instance, &SingleInstance::activationRequested, &form, &Form1::showAgain);

        form.showMinimized();
        QVERIFY(!SingleInstance(rig.iniPath()).claim());
        QTRY_COMPARE(attention.targets, QList<QWidget *>{&form});
        QVERIFY(!minimised(form));

        form.hide();
        QWidget *modalSeen = nullptr;
        onNextModal([&](QWidget *modal) {
            modalSeen = modal;
            QVERIFY(!SingleInstance(rig.iniPath()).claim());
            QTRY_COMPARE(attention.targets.size(), 2);
            QVERIFY(!form.isVisible());
            modal->close();
        });
        aboutWindow(form)->exec();
        QCOMPARE(attention.targets.last(), modalSeen);
    }

    void realSecondStartEndsAndTellsTheFirst() {
        const QString a = programIn(QStringLiteral("a"));
        const QString b = programIn(QStringLiteral("b"));
        auto first = start(a);
        QTRY_VERIFY_WITH_TIMEOUT(listening(a), 10000);

        // The running copy saves once started and at minute changes: let it settle, and keep
        // the second start clear of a minute change.
        QStringList before = snapshot(a);
        for (int settled = 0; settled < 3 || QTime::currentTime().second() >= 55;) {
            QTest::qWait(250);
            const QStringList now = snapshot(a);
            settled = now == before ? settled + 1 : 0;
            before = now;
        }
        auto second = start(a);
        QVERIFY(second->waitForFinished(10000));
        QCOMPARE(second->exitStatus(), QProcess::NormalExit);
        QCOMPARE(second->exitCode(), 0);
        QCOMPARE(snapshot(a), before);
        QByteArray told;
        QTRY_VERIFY((told += first->readAllStandardError()).contains("bringing the window back"));
        QCOMPARE(first->state(), QProcess::Running);

        // Another folder, other settings: runs beside it.
        auto other = start(b);
        QTRY_VERIFY_WITH_TIMEOUT(listening(b), 10000);
        QCOMPARE(first->state(), QProcess::Running);
        stop(*other);

        // A killed copy (SIGKILL: no clean-up at all) leaves its socket, which blocks nothing.
        stop(*first);
        QVERIFY(QFileInfo::exists(socketOf(a)) && !listening(a));
        auto next = start(a);
        QTRY_VERIFY_WITH_TIMEOUT(listening(a), 10000);
        stop(*next);
    }

private:
    static FrmSplash *aboutWindow(Form1 &form) { return form.aboutWindow(); }
};

QTEST_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
