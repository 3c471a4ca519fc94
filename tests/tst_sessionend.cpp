// The end of the session: logout, shutdown and signals save at once and ask nothing.

#include "core/settingscodec.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>

// True once the process has a handler of its own for the signal (Linux: SigCgt in its status).
static bool catches(qint64 pid, int signalNumber) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("SigCgt:"))
            return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (signalNumber - 1)) & 1;
    return false;
}

class TestSessionEnd : public QObject {
    Q_OBJECT

private slots:
    // The program itself: the signal while it runs leaves a freshly written settings file and a
    // clean exit, with no question on the screen to hold it up.
    void programSavesOnSignal_data() {
        QTest::addColumn<int>("signalNumber");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGHUP") << SIGHUP;
        QTest::newRow("SIGINT") << SIGINT;
    }
    void programSavesOnSignal() {
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
        vekora.start(program, {});
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
