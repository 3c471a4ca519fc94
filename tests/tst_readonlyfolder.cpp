#include "fakes.h"
#include "platform/paths.h"
#include "platform/settingsfile.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <unistd.h>

namespace {
const QStringList storedSettings = iniWithAlarm(QStringLiteral("07:30"), 2);

QByteArray readAll(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

class TestReadOnlyFolder : public QObject {
    Q_OBJECT
private slots:
    // The window reads where it is told to read and saves where it is told to save.
    void readsOneFileSavesTheOther() {
        TestRig beside;
        beside.writeIni(storedSettings);
        const QByteArray before = readAll(beside.iniPath());
        QTemporaryDir config;
        Platform platform = beside.platform();
        platform.settingsReadFile = beside.iniPath();
        platform.settingsFile = config.filePath(QStringLiteral("Vekora/Vekora.ini"));
        Form1 form(platform);
        form.findChild<QTimer *>(QStringLiteral("Timer1"))->stop();
        form.Form_Load();
        QCOMPARE(form.model().alarmTime(), 7 * 3600 + 30 * 60);
        form.GemIni();
        const QStringList saved = decodeSettingsLines(readAll(platform.settingsFile));
        QCOMPARE(saved.value(4), " 2 ");
        QCOMPARE(saved.value(5), "07:30");
        QCOMPARE(readAll(beside.iniPath()), before);
    }

    // A program folder the user cannot write holding settings from before: those are read
    // until the first save has put a file into the configuration folder.
    void readOnlyProgramFolder() {
        if (::geteuid() == 0) {
            runAsNobody(QStringLiteral("readOnlyProgramFolder"));
            return;
        }
        QTemporaryDir program, home;
        const QString folder = program.path() + u'/';
        QVERIFY(writeSettingsFile(folder + QStringLiteral("Vekora.ini"), encodeSettings({})));
        QVERIFY(QFile::setPermissions(program.path(), QFile::ReadOwner | QFile::ExeOwner));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path()));
        const QString config = home.filePath(QStringLiteral("Vekora/Vekora.ini"));

        QCOMPARE(settingsFilePath(folder), config);
        QCOMPARE(settingsReadPath(folder), folder + QStringLiteral("Vekora.ini"));
        QVERIFY(!writeSettingsFile(folder + QStringLiteral("Vekora.ini"), "lost"));
        QVERIFY(writeSettingsFile(config, "saved"));
        QCOMPARE(settingsReadPath(folder), config);

        QFile::setPermissions(program.path(), QFile::ReadOwner | QFile::WriteOwner |
                                                  QFile::ExeOwner); // so it can be removed
    }

private:
    // Root may write everywhere, so the read-only case is run again as an ordinary user.
    void runAsNobody(const QString &function) {
        const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
        if (setpriv.isEmpty())
            QSKIP("running as root and setpriv is missing: the read-only folder cannot be tested");
        QTemporaryDir home;
        QFile::setPermissions(home.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                               QFile::ReadOther | QFile::WriteOther |
                                               QFile::ExeOther);
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home.path());
        env.insert(QStringLiteral("TMPDIR"), home.path());
        env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(setpriv, {QStringLiteral("--reuid=nobody"), QStringLiteral("--regid=nogroup"),
                              QStringLiteral("--clear-groups"),
                              QCoreApplication::applicationFilePath(), function});
        QVERIFY(child.waitForFinished(60000));
        const QByteArray output = child.readAll();
        if (child.exitCode() != 0 && !output.contains("FAIL!"))
            QSKIP(qPrintable(QStringLiteral("running as root and cannot run this test as the user "
                                            "nobody, so the read-only folder is not tested: ") +
                             QString::fromLocal8Bit(output.right(300))));
        QVERIFY2(child.exitCode() == 0, output.constData());
        QVERIFY2(output.contains("PASS   : TestReadOnlyFolder::readOnlyProgramFolder()"),
                 output.constData());
    }
};

QTEST_MAIN(TestReadOnlyFolder)
#include "tst_readonlyfolder.moc"
