#include "fakes.h"
#include "platform/help.h"

#include <QDir>
#include <QMessageBox>
#include <QRegularExpression>
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
    void opensExactlyThatFile_data() {
        QTest::addColumn<QString>("folderName");
        QTest::addColumn<QString>("anchor");
        QTest::newRow("shell, non-ascii") << "my \"folder\"; $(x) `touch y` | z æøå"
                                          << "Contents";
        QTest::newRow("url characters") << "50% #1 ?q=a&b %2F"
                                        << "";
    }
    void opensExactlyThatFile() {
        QFETCH(QString, folderName);
        QFETCH(QString, anchor);
        QTemporaryDir temp;
        QVERIFY(QDir(temp.path()).mkdir(folderName));
        const QString folder = temp.filePath(folderName) + QLatin1Char('/');
        const QString path = ::helpFilePath(folder, programLanguages()[1]);
        RecordingOpener opener;
        QVERIFY(!openHelp(opener, path, anchor)); // a missing page is reported
        QVERIFY(opener.opened.isEmpty());
        QVERIFY(write(path, "x"));
        QVERIFY(openHelp(opener, path, anchor));
        QCOMPARE(opener.opened.size(), 1);
        QCOMPARE(opener.opened[0].toLocalFile(), path);
        QCOMPARE(opener.opened[0].fragment(), anchor.isEmpty() ? QString() : anchor);
        QCOMPARE(QDir(folder).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList{"VKhelp-da.html"}); // nothing was run
        opener.result = false;                   // no viewer
        QVERIFY(!openHelp(opener, path, anchor));
    }

    void videoAvail_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("expected");
        QTest::newRow("both") << QStringList{"VekoraEn.avi", "VekoraDa.avi"} << "ED";
        QTest::newRow("none, exact names") << QStringList{"vekoraen.avi", "VekoraDa.AVI"} << "ed";
        QTest::newRow("a folder") << QStringList{"VekoraEn.avi/", "VekoraDa.avi"} << "eD";
    }
    void videoAvail() {
        QFETCH(QStringList, files);
        QFETCH(QString, expected);
        QTemporaryDir temp;
        for (const QString &name : files)
            QVERIFY(name.endsWith('/') ? QDir(temp.path()).mkdir(name.chopped(1))
                                       : write(temp.filePath(name), "x"));
        QCOMPARE(::videoAvail(temp.path() + QLatin1Char('/')), expected);
    }

    // Every language has its page; the welcome window opens it at #Contents, where the video of
    // its language must be named.
    void pagesReachTheirVideo() {
        for (const LanguageInfo &language : programLanguages()) {
            const QString html = QString::fromUtf8(readAll(source(language.code)));
            QVERIFY(html.contains("<meta charset=\"utf-8\">") && !html.contains("<script"));
            const QRegularExpression contents("id=\"Contents\"[\\s\\S]*?href=\"([^\"]+)\"");
            QCOMPARE(contents.match(html).captured(1), language.videoFile);
        }
    }

    // The program copied alone into an empty folder: F1 writes its own page into the cache
    // folder and opens that, byte for byte the page it was built with; a page delivered in
    // the data folder is preferred, and a stale copy in the cache is replaced.
    void builtInPage_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("code");
        QTest::newRow("English") << 0 << "en";
        QTest::newRow("Danish") << 1 << "da";
    }
    void builtInPage() {
        QFETCH(int, language);
        QFETCH(QString, code);
        const QString name = QStringLiteral("VKhelp-%1.html").arg(code);
        const QByteArray built = readAll(source(code));
        QVERIFY(!built.isEmpty());
        TestRig rig;
        QTemporaryDir cache;
        Platform platform = rig.platform();
        platform.cacheFolder = cache.filePath(QStringLiteral("Vekora"));
        auto form = std::make_unique<Form1>(platform);
        form->menuLang_Click(language);

        const QString cached = platform.cacheFolder + u'/' + name;
        QVERIFY(write(rig.folder() + name, "delivered"));
        form->menuHelp_Click();
        QCOMPARE(rig.opener.opened.last().toLocalFile(), rig.folder() + name);
        QVERIFY(!QFileInfo::exists(cached));

        QVERIFY(QFile::remove(rig.folder() + name));
        form->menuHelp_Click();
        QCOMPARE(rig.opener.opened.last().toLocalFile(), cached);
        QCOMPARE(readAll(cached), built);
        // Only the page asked for: the other language's page stays inside the program.
        QCOMPARE(QDir(platform.cacheFolder).entryList({"*.html"}), QStringList{name});
        QVERIFY(write(cached, "an older program's page"));
        form->menuHelp_Click();
        QCOMPARE(readAll(cached), built);
        QCOMPARE(rig.opener.opened.size(), 3);

        // With no page anywhere and no cache to write to, the user is still told.
        QVERIFY(QDir(platform.cacheFolder).removeRecursively());
        QVERIFY(write(platform.cacheFolder, "a file where the folder should be"));
        form = std::make_unique<Form1>(platform);
        form->menuLang_Click(language);
        QString shown;
        onNextModal([&shown](QWidget *box) {
            shown = static_cast<QMessageBox *>(box)->text();
            box->close();
        });
        form->menuHelp_Click();
        QCOMPARE(shown, strings(Language(language)).main.helpMissing.arg(rig.folder() + name));
        QCOMPARE(rig.opener.opened.size(), 3);
    }

private:
    static QString source(const QString &code) {
        return QFINDTESTDATA(QStringLiteral("../resources/help/VKhelp-%1.html").arg(code));
    }
};

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
