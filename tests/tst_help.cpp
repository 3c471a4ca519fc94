#include "fakes.h"
#include "platform/help.h"

#include <QDir>
#include <QRegularExpression>
#include <QTest>

namespace {
bool touch(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write("x") == 1;
}
} // namespace

class TestHelp : public QObject {
    Q_OBJECT
private slots:
    void helpFilePath() {
        const LanguageList languages = programLanguages();
        QCOMPARE(::helpFilePath("/opt/vk/", languages[0]), "/opt/vk/VKhelp-en.html");
        QCOMPARE(::helpFilePath("/opt/vk", languages[1]), "/opt/vk/VKhelp-da.html");
        QCOMPARE(::helpFilePath("/", languages[0]), "/VKhelp-en.html");
    }

    void opensExactlyThatFile_data() {
        QTest::addColumn<QString>("folderName");
        QTest::addColumn<QString>("anchor");
        QTest::newRow("shell") << "my \"folder\"; $(x) `touch y` | z"
                               << "Contents";
        QTest::newRow("url characters") << "50% #1 ?q=a&b %2F"
                                        << "";
        QTest::newRow("non-ascii") << "Hjælp æøå"
                                   << "Contents";
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
        QVERIFY(touch(path));
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
        QTest::newRow("english") << QStringList{"VekoraEn.avi"} << "Ed";
        QTest::newRow("none, exact names") << QStringList{"vekoraen.avi", "VekoraDa.AVI"} << "ed";
        QTest::newRow("a folder") << QStringList{"VekoraEn.avi/", "VekoraDa.avi"} << "eD";
    }
    void videoAvail() {
        QFETCH(QStringList, files);
        QFETCH(QString, expected);
        QTemporaryDir temp;
        for (const QString &name : files)
            QVERIFY(name.endsWith('/') ? QDir(temp.path()).mkdir(name.chopped(1))
                                       : touch(temp.filePath(name)));
        QCOMPARE(::videoAvail(temp.path() + QLatin1Char('/')), expected);
    }

    // The welcome window opens a page at #Contents, where the video of its language must be.
    void pagesReachTheirVideo() {
        for (const auto &[name, video] :
             {std::pair{"VKhelp-en.html", "VekoraEn.avi"}, {"VKhelp-da.html", "VekoraDa.avi"}}) {
            QFile file(QFINDTESTDATA(QStringLiteral("../resources/help/") + name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QString html = QString::fromUtf8(file.readAll());
            QVERIFY(html.contains("<meta charset=\"utf-8\">") && !html.contains("<script"));
            const QRegularExpression contents("id=\"Contents\"[\\s\\S]*?href=\"([^\"]+)\"");
            QCOMPARE(contents.match(html).captured(1), video);
        }
    }
};

QTEST_GUILESS_MAIN(TestHelp)
#include "tst_help.moc"
