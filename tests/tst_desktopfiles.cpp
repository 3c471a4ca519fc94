// The files the program hands the desktop: its help pages, written out of the program where no
// page is installed, and the entry that starts it with the desktop.

#include "fakes.h"
#include "platform/autostart.h"
#include "platform/help.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QProcess>
#include <QTest>
#include <sys/stat.h>

namespace {
bool write(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
QByteArray readAll(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

class TestDesktopFiles : public QObject {
    Q_OBJECT

    QTemporaryDir config;

    QString entryPath() const {
        return config.filePath(QStringLiteral("autostart/vekora.desktop"));
    }
    QByteArray entry() const {
        return QFile::exists(entryPath()) ? readAll(entryPath()) : QByteArray("no entry");
    }

private slots:
    void initTestCase() { qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path())); }

    void entryForAPathWithBlanksAndQuotes() {
        const QString program = QStringLiteral("/opt/my \"odd\" apps/vekora");
        QString error;
        QVERIFY(setAutostart(true, entryPath(), program, error));
        QVERIFY2(entry().contains("\nExec=\"/opt/my \\\\\"odd\\\\\" apps/vekora\"\n"), entry());
    }

    // GLib looks for "50%% off" and drops an entry that names the path itself, so this one
    // must start that very program some other way. With a = as well no entry can: none is left.
    void entryForAPathWithAPercentStarts() {
        QTemporaryDir temp;
        const QString program = temp.filePath(QStringLiteral("50% off/vekora"));
        QVERIFY(QDir().mkpath(QFileInfo(program).path()) &&
                write(program, "#!/bin/sh\ntouch \"$0.ran\"\n") &&
                QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner));
        QString error;
        QVERIFY(setAutostart(true, entryPath(), program, error));
        QCOMPARE(QProcess::execute(QStringLiteral("gio"), {QStringLiteral("launch"), entryPath()}),
                 0);
        QTRY_VERIFY(QFile::exists(program + QStringLiteral(".ran")));
        QVERIFY(QFile::remove(entryPath()));
        QVERIFY(!setAutostart(true, entryPath(), temp.filePath(QStringLiteral("a=50%/v")), error));
        QCOMPARE(entry(), QByteArray("no entry"));
    }

    // The mark says what the next log-in will do.
    void menuItem() {
        TestRig rig;
        auto form = rig.window();
        QAction *item = child<QAction>(*form->generalMenu(), "autostartItem");
        QFile::remove(entryPath());
        item->trigger();
        QCOMPARE(entry(), autostartEntry(QCoreApplication::applicationFilePath()));
        item->trigger();
        QCOMPARE(QPair(item->isChecked(), entry()), QPair(false, QByteArray("no entry")));
    }

    // The program copied alone into an empty folder writes its own page into the cache folder
    // and opens that, byte for byte the page it was built with, replacing an older copy; a page
    // beside it wins.
    void builtInPage() {
        const QByteArray built = readAll(QFINDTESTDATA("../resources/help/VKhelp-da.html"));
        QVERIFY(!built.isEmpty());
        TestRig rig;
        QTemporaryDir cache;
        Platform platform = rig.platform();
        platform.cacheFolder = cache.filePath(QStringLiteral("Vekora"));
        MainWindow form(platform);
        form.controller().setLanguage(1);
        const QString beside = rig.folder() + QStringLiteral("VKhelp-da.html");
        const QString cached = platform.cacheFolder + QStringLiteral("/VKhelp-da.html");
        QVERIFY(write(beside, "delivered"));
        form.openHelp();
        QVERIFY(QFile::remove(beside));
        form.openHelp();
        QCOMPARE(readAll(cached), built);
        QVERIFY(write(cached, "an older program's page"));
        form.openHelp();
        QCOMPARE(readAll(cached), built);
        QCOMPARE(rig.opener.opened,
                 (QList<QUrl>{QUrl::fromLocalFile(beside), QUrl::fromLocalFile(cached),
                              QUrl::fromLocalFile(cached)}));
        // A link in the page's place is replaced; what it points to is never written.
        const QString target = cache.filePath(QStringLiteral("someone's file"));
        QVERIFY(write(target, "theirs") && QFile::remove(cached) && QFile::link(target, cached));
        form.openHelp();
        QCOMPARE(QPair(readAll(target), readAll(cached)), QPair(QByteArray("theirs"), built));
    }

    // A cache folder others may write into is left alone: another user's file could take the
    // page's place before the viewer reads it. The page goes to a fresh folder of this user's.
    void cacheOthersMayWrite() {
        QTemporaryDir cache;
        QVERIFY(::chmod(QFile::encodeName(cache.path()).constData(), 0777) == 0);
        const QString page = helpPageOrBuiltIn("/none/VKhelp-en.html", cache.path());
        const QString fresh = QFileInfo(page).absolutePath();
        QVERIFY2(QDir(cache.path()).isEmpty() && fresh != cache.path(), qPrintable(page));
        QCOMPARE(readAll(page), readAll(QFINDTESTDATA("../resources/help/VKhelp-en.html")));
        QCOMPARE(QFileInfo(fresh).permissions() & 0x0077, QFile::Permissions()); // group, others
        QVERIFY(QDir(fresh).removeRecursively());
    }
};

QTEST_MAIN(TestDesktopFiles)
#include "tst_desktopfiles.moc"
