#include "fakes.h"
#include "platform/autostart.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QTest>

class TestAutostart : public QObject {
    Q_OBJECT

    QTemporaryDir config;

    QString entryPath() const {
        return config.filePath(QStringLiteral("autostart/vekora.desktop"));
    }
    QByteArray entry() const {
        QFile file(entryPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("no entry");
    }

private slots:
    void initTestCase() { qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path())); }

    void entryForAPathWithBlanksAndQuotes() {
        const QString program = QStringLiteral("/opt/my \"odd\" apps/vekora");
        QString error;
        QVERIFY(setAutostart(true, entryPath(), program, error));
        QCOMPARE(entry(), QByteArray("[Desktop Entry]\n"
                                     "Type=Application\n"
                                     "Name=Vekora\n"
                                     "Name[da]=Vekuret\n"
                                     "Exec=\"/opt/my \\\\\"odd\\\\\" apps/vekora\"\n"
                                     "Icon=vekora\n"
                                     "Terminal=false\n"));
        QProcess validate;
        validate.start(QStringLiteral("desktop-file-validate"), {entryPath()});
        QVERIFY2(validate.waitForFinished(10000), "desktop-file-validate (desktop-file-utils)");
        QVERIFY2(validate.exitCode() == 0 && validate.readAll().isEmpty(),
                 validate.readAllStandardError());
    }

    // The mark says what the next log-in will do, also when the entry cannot be written.
    void menuItem() {
        TestRig rig;
        auto form = rig.window();
        QAction *item = child<QAction>(*form, "menuAutostart");
        QFile::remove(entryPath());
        item->trigger();
        QCOMPARE(entry(), autostartEntry(QCoreApplication::applicationFilePath()));
        item->trigger();
        QCOMPARE(QPair(item->isChecked(), entry()), QPair(false, QByteArray("no entry")));

        // A file where the folder should be stops root too.
        QVERIFY(QDir(config.path()).removeRecursively() && QDir().mkpath(config.path()));
        QFile blocker(config.filePath(QStringLiteral("autostart")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        QString shown;
        answerNextMessage(QMessageBox::Ok, &shown);
        item->trigger();
        QVERIFY(
            shown.startsWith("Vekora could not be set to start with the desktop.\n" + entryPath()));
        QVERIFY(!item->isChecked());
        blocker.remove();
    }
};

QTEST_MAIN(TestAutostart)
#include "tst_autostart.moc"
