#include "fakes.h"
#include "platform/help.h"

#include <QDir>
#include <QMessageBox>
#include <QTest>

namespace {
QByteArray readAll(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool write(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
} // namespace

class TestBuiltInHelp : public QObject {
    Q_OBJECT
private slots:
    // The program copied alone into an empty folder: F1 writes its own page into the cache
    // folder and opens that, byte for byte the page it was built with; a page delivered in
    // the data folder is preferred, and a stale copy in the cache is replaced.
    void pageOpened_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("name");
        QTest::newRow("English") << 0 << "VKhelp-en.html";
        QTest::newRow("Danish") << 1 << "VKhelp-da.html";
    }
    void pageOpened() {
        QFETCH(int, language);
        QFETCH(QString, name);
        const QByteArray source =
            readAll(QFINDTESTDATA(QStringLiteral("../resources/help/") + name));
        QVERIFY(!source.isEmpty());
        TestRig rig;
        QTemporaryDir cache;
        Platform platform = rig.platform();
        platform.cacheFolder = cache.filePath(QStringLiteral("Vekora"));
        Form1 form(platform);
        form.menuLang_Click(language);

        const QString cached = platform.cacheFolder + u'/' + name;
        QVERIFY(write(rig.folder() + name, "delivered"));
        form.menuHelp_Click();
        QCOMPARE(rig.opener.opened.last().toLocalFile(), rig.folder() + name);
        QVERIFY(!QFileInfo::exists(cached));

        QVERIFY(QFile::remove(rig.folder() + name));
        form.menuHelp_Click();
        QCOMPARE(rig.opener.opened.last().toLocalFile(), cached);
        QCOMPARE(readAll(cached), source);
        // Only the page asked for: the other language's page stays inside the program.
        QCOMPARE(QDir(platform.cacheFolder).entryList({"*.html"}), QStringList{name});

        QVERIFY(write(cached, "an older program's page"));
        form.menuHelp_Click();
        QCOMPARE(readAll(cached), source);
        QCOMPARE(rig.opener.opened.size(), 3);
    }

    // With no page anywhere and no cache to write to, the user is still told.
    void nothingToOpen() {
        TestRig rig;
        QTemporaryDir cache;
        Platform platform = rig.platform();
        platform.cacheFolder = cache.filePath(QStringLiteral("blocked"));
        QVERIFY(write(platform.cacheFolder, "a file where the folder should be"));
        Form1 form(platform);
        form.menuLang_Click(0);
        QString shown;
        onNextModal([&shown](QWidget *box) {
            shown = static_cast<QMessageBox *>(box)->text();
            box->close();
        });
        form.menuHelp_Click();
        QCOMPARE(shown, strings(Language::English)
                            .main.helpMissing.arg(rig.folder() + QStringLiteral("VKhelp-en.html")));
        QVERIFY(rig.opener.opened.isEmpty());
    }
};

QTEST_MAIN(TestBuiltInHelp)
#include "tst_builtinhelp.moc"
