#include "fakes.h"
#include "platform/help.h"

#include <QDir>
#include <QMessageBox>
#include <QTest>

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

class TestHelp : public QObject {
    Q_OBJECT
private slots:
    // The page goes to the viewer as a file URL, never through anything a shell would read.
    void opensExactlyThatFile() {
        QTemporaryDir temp;
        const QString folder = temp.filePath("my \"folder\"; $(x) `touch y` | z 50% #1 æøå/");
        QVERIFY(QDir().mkpath(folder));
        const QString path = helpFilePath(folder, programLanguages()[1]);
        QVERIFY(write(path, "x"));
        RecordingOpener opener;
        QVERIFY(openHelp(opener, path, QStringLiteral("Contents")));
        QCOMPARE(opener.opened.size(), 1);
        QCOMPARE(QPair(opener.opened[0].toLocalFile(), opener.opened[0].fragment()),
                 QPair(path, QStringLiteral("Contents")));
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
        Form1 form(platform);
        form.menuLang_Click(1);
        const QString beside = rig.folder() + QStringLiteral("VKhelp-da.html");
        const QString cached = platform.cacheFolder + QStringLiteral("/VKhelp-da.html");
        QVERIFY(write(beside, "delivered"));
        form.menuHelp_Click();
        QVERIFY(QFile::remove(beside));
        form.menuHelp_Click();
        QCOMPARE(readAll(cached), built);
        QVERIFY(write(cached, "an older program's page"));
        form.menuHelp_Click();
        QCOMPARE(readAll(cached), built);
        QCOMPARE(rig.opener.opened,
                 (QList<QUrl>{QUrl::fromLocalFile(beside), QUrl::fromLocalFile(cached),
                              QUrl::fromLocalFile(cached)}));

        // With no page anywhere and no cache to write to, the user is still told.
        QVERIFY(QDir(platform.cacheFolder).removeRecursively());
        QVERIFY(write(platform.cacheFolder, "a file where the folder should be"));
        QString shown;
        answerNextMessage(QMessageBox::Ok, &shown);
        form.menuHelp_Click();
        QCOMPARE(shown, strings(Language::Danish).main.helpMissing.arg(beside));
        QCOMPARE(rig.opener.opened.size(), 3);
    }
};

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
