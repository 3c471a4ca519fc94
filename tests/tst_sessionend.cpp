// The end of the session: logout, shutdown and signals save at once and ask nothing.

#include "fakes.h"
#include "platform/signalwatcher.h"

#include <QLineEdit>
#include <QProcess>
#include <QSignalSpy>
#include <QtTest>
#include <csignal>

namespace {

// True once the process has a handler of its own for the signal (Linux: SigCgt in its status).
bool catches(qint64 pid, int signalNumber) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("SigCgt:"))
            return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (signalNumber - 1)) & 1;
    return false;
}

} // namespace

class TestSessionEnd : public QObject {
    Q_OBJECT

private slots:
    void signalsArriveInTheEventLoop() {
        struct sigaction before = {}, after = {};
        ::sigaction(SIGTERM, nullptr, &before);
        {
            SignalWatcher watcher({SIGTERM});
            QSignalSpy received(&watcher, &SignalWatcher::received);
            std::raise(SIGTERM);
            QTRY_COMPARE(received.size(), 1);
        }
        // Gone with the watcher: the signal has its earlier handler again.
        ::sigaction(SIGTERM, nullptr, &after);
        QVERIFY(after.sa_handler == before.sa_handler);
    }

    void savesAndQuitsWithoutTheQuestion() {
        TestRig rig;
        auto form = rig.started(iniWithAlarm(QStringLiteral("07:30")));
        form->show();
        QSignalSpy quit(form.get(), &Form1::quitRequested);
        child<QLineEdit>(*form, "txtMsg")->setText(QStringLiteral("Changed just now"));
        form->saveAndQuit();
        QCOMPARE(rig.iniLines().value(6), QStringLiteral("Changed just now"));
        QCOMPARE(quit.size(), 1);
        QVERIFY(form->close()); // the window closing behind it asks nothing either
        form->saveAndQuit();
        QCOMPARE(quit.size(), 1);
    }

    // The program itself: SIGTERM while it runs leaves a freshly written settings file and a
    // clean exit, with no question on the screen to hold it up.
    void programSavesOnSigterm_data() {
        QTest::addColumn<int>("signalNumber");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGHUP") << SIGHUP;
        QTest::newRow("SIGINT") << SIGINT;
    }
    void programSavesOnSigterm() {
        QFETCH(int, signalNumber);
        QTemporaryDir folder;
        const QString program = folder.filePath(QStringLiteral("vekora"));
        QVERIFY(QFile::copy(QStringLiteral(VEKORA_BINARY), program));
        QFile ini(folder.filePath(QStringLiteral("Vekora.ini")));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        // "0730" is written back as the field shows it: 07:30.
        ini.write("0\r\n1 0 \r\n 0 \r\n 0 \r\n 0 \r\n0730\r\n\r\nOn ((o))\r\n");
        ini.close();

        QProcess vekora;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        vekora.setProcessEnvironment(env);
        vekora.start(program, {});
        QVERIFY(vekora.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(catches(vekora.processId(), signalNumber), 10000);
        ::kill(pid_t(vekora.processId()), signalNumber);
        QVERIFY(vekora.waitForFinished(10000));
        QCOMPARE(vekora.exitStatus(), QProcess::NormalExit);
        QCOMPARE(vekora.exitCode(), 0);
        QVERIFY(ini.open(QIODevice::ReadOnly));
        QCOMPARE(decodeSettingsLines(ini.readAll()).value(5), QStringLiteral("07:30"));
    }
};

QTEST_MAIN(TestSessionEnd)
#include "tst_sessionend.moc"
