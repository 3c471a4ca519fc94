#include "core/settingscodec.h"
#include "platform/paths.h"
#include "platform/settingsfile.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

class TestReadOnlyFolder : public QObject {
    Q_OBJECT
private slots:
    // A program folder the user cannot write holding settings from before: those are read
    // until the first save has put a file into the configuration folder. Root may write
    // everywhere, so as root the case runs again as an ordinary user.
    void readOnlyProgramFolder() {
        if (::geteuid() == 0)
            return runAsNobody();
        QTemporaryDir program, home;
        const QString folder = program.path() + u'/';
        QVERIFY(writeSettingsFile(folder + QStringLiteral("Vekora.ini"), encodeSettings({})));
        QVERIFY(QFile::setPermissions(program.path(), QFile::ReadOwner | QFile::ExeOwner));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path()));
        const QString config = home.filePath(QStringLiteral("Vekora/Vekora.ini"));
        QCOMPARE(settingsFilePath(folder), config);
        QCOMPARE(settingsReadPath(folder), folder + QStringLiteral("Vekora.ini"));
        QVERIFY(writeSettingsFile(config, "saved"));
        QCOMPARE(settingsReadPath(folder), config);
        QFile::setPermissions(program.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

private:
    void runAsNobody() {
        QProcess child; // its temporary folders are in /tmp, open to everyone
        child.start(QStringLiteral("setpriv"),
                    {"--reuid=nobody", "--regid=nogroup", "--clear-groups",
                     QCoreApplication::applicationFilePath()});
        child.waitForFinished(60000);
        const QByteArray output = child.readAll();
        if (!output.contains("readOnlyProgramFolder()"))
            QSKIP(("as root, and cannot run as the user nobody: " + output.right(300)).constData());
        QVERIFY2(output.contains("PASS   : TestReadOnlyFolder::readOnlyProgramFolder()"),
                 output.constData());
    }
};

QTEST_MAIN(TestReadOnlyFolder)
#include "tst_readonlyfolder.moc"
