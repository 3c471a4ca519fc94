#include "lang/help.h"
#include "platform/opener.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

namespace {

class RecordingOpener final : public UrlOpener {
public:
    bool answer = true;
    QList<QUrl> opened;
    bool open(const QUrl &url) override {
        opened.append(url);
        return answer;
    }
};

bool touch(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write("x") == 1;
}

QString readPage(const QString &name) {
    QFile file(QFINDTESTDATA(QStringLiteral("../resources/help/") + name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

} // namespace

class TestHelp : public QObject {
    Q_OBJECT
private slots:
    void helpFilePath_data();
    void helpFilePath();
    void opensExactlyThatFile_data();
    void opensExactlyThatFile();
    void refusesWhatCannotBeOpened();
    void videoAvail_data();
    void videoAvail();
    void pagesMatchAndReachTheVideo_data();
    void pagesMatchAndReachTheVideo();
};

void TestHelp::helpFilePath_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<Language>("language");
    QTest::addColumn<QString>("expected");
    QTest::newRow("english") << "/opt/vekora/" << Language::English << "/opt/vekora/VKhelp-en.html";
    QTest::newRow("danish") << "/opt/vekora/" << Language::Danish << "/opt/vekora/VKhelp-da.html";
    QTest::newRow("root folder") << "/" << Language::English << "/VKhelp-en.html";
    QTest::newRow("folder without slash")
        << "/opt/vekora" << Language::Danish << "/opt/vekora/VKhelp-da.html";
}

void TestHelp::helpFilePath() {
    QFETCH(QString, folder);
    QFETCH(Language, language);
    QFETCH(QString, expected);
    QCOMPARE(::helpFilePath(folder, language), expected);
}

void TestHelp::opensExactlyThatFile_data() {
    QTest::addColumn<QString>("folderName");
    QTest::addColumn<QString>("anchor");
    QTest::newRow("shell quoting") << "my \"folder\"; $(x)"
                                   << "Contents";
    QTest::newRow("backticks and pipes") << "a `touch x` | b & c"
                                         << "";
    QTest::newRow("url characters") << "50% #1 ?q=a&b"
                                    << "Contents";
    QTest::newRow("encoded-looking") << "a%20b %2F"
                                     << "";
    QTest::newRow("non-ascii") << "Hjælp æøå"
                               << "Contents";
}

void TestHelp::opensExactlyThatFile() {
    QFETCH(QString, folderName);
    QFETCH(QString, anchor);
    QTemporaryDir temp;
    QVERIFY(temp.isValid());
    QVERIFY(QDir(temp.path()).mkdir(folderName));
    const QString folder = temp.path() + QLatin1Char('/') + folderName + QLatin1Char('/');
    const QString page = ::helpFilePath(folder, Language::English);
    QVERIFY(touch(page));

    RecordingOpener opener;
    QVERIFY(openHelp(opener, page, anchor));
    QCOMPARE(opener.opened.size(), 1);
    const QUrl url = opener.opened.first();
    QVERIFY(url.isLocalFile());
    QCOMPARE(url.toLocalFile(), page);
    QCOMPARE(url.fragment(), anchor);
    QCOMPARE(url.hasFragment(), !anchor.isEmpty());
    // Nothing was run: the folder holds the page alone.
    QCOMPARE(QDir(folder).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
             QStringList{QStringLiteral("VKhelp-en.html")});
}

void TestHelp::refusesWhatCannotBeOpened() {
    QTemporaryDir temp;
    const QString folder = temp.path() + QLatin1Char('/');
    RecordingOpener opener;

    QVERIFY(!openHelp(opener, ::helpFilePath(folder, Language::Danish)));
    QVERIFY(!openHelp(opener, {}));
    QVERIFY(QDir(folder).mkdir(QStringLiteral("VKhelp-en.html")));
    QVERIFY(!openHelp(opener, ::helpFilePath(folder, Language::English)));
    QVERIFY(opener.opened.isEmpty());

    const QString page = ::helpFilePath(folder, Language::Danish);
    QVERIFY(touch(page));
    opener.answer = false;
    QVERIFY(!openHelp(opener, page, QStringLiteral("Contents")));
    QCOMPARE(opener.opened.size(), 1);
}

void TestHelp::videoAvail_data() {
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("expected");
    QTest::newRow("both") << QStringList{"VekoraEn.avi", "VekoraDa.avi"} << "ED";
    QTest::newRow("english only") << QStringList{"VekoraEn.avi"} << "Ed";
    QTest::newRow("danish only") << QStringList{"VekoraDa.avi"} << "eD";
    QTest::newRow("none") << QStringList{} << "ed";
    QTest::newRow("names are exact") << QStringList{"vekoraen.avi", "VekoraDa.AVI"} << "ed";
    QTest::newRow("a folder is no video") << QStringList{"VekoraEn.avi/", "VekoraDa.avi"} << "eD";
}

void TestHelp::videoAvail() {
    QFETCH(QStringList, files);
    QFETCH(QString, expected);
    QTemporaryDir temp;
    for (const QString &name : files) {
        if (name.endsWith(QLatin1Char('/')))
            QVERIFY(QDir(temp.path()).mkdir(name.chopped(1)));
        else
            QVERIFY(touch(temp.path() + QLatin1Char('/') + name));
    }
    QCOMPARE(::videoAvail(temp.path() + QLatin1Char('/')), expected);
}

void TestHelp::pagesMatchAndReachTheVideo_data() {
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("video");
    QTest::newRow("english") << "VKhelp-en.html"
                             << "VekoraEn.avi";
    QTest::newRow("danish") << "VKhelp-da.html"
                            << "VekoraDa.avi";
}

// The welcome window opens a page at #Contents and expects the video to be linked there.
void TestHelp::pagesMatchAndReachTheVideo() {
    QFETCH(QString, page);
    QFETCH(QString, video);
    const QString html = readPage(page);
    QVERIFY(!html.isEmpty());
    QVERIFY(html.contains(QStringLiteral("<meta charset=\"utf-8\">")));
    QVERIFY(!html.contains(QStringLiteral("<script"), Qt::CaseInsensitive));
    QVERIFY(!html.contains(QStringLiteral("://")));

    const QRegularExpression contents(QStringLiteral("id=\"Contents\"[\\s\\S]*?href=\"([^\"]+)\""));
    const auto match = contents.match(html);
    QVERIFY(match.hasMatch());
    QCOMPARE(match.captured(1), video);

    // Both pages have the same sections, and every link inside a page has its target.
    const auto ids = [](const QString &text) {
        QSet<QString> found;
        for (const auto &m :
             QRegularExpression(QStringLiteral("id=\"([^\"]+)\"")).globalMatch(text))
            found.insert(m.captured(1));
        return found;
    };
    const QSet<QString> here = ids(html);
    QCOMPARE(here, ids(readPage(QStringLiteral("VKhelp-en.html"))));
    for (const auto &m : QRegularExpression(QStringLiteral("href=\"#([^\"]+)\"")).globalMatch(html))
        QVERIFY2(here.contains(m.captured(1)), qPrintable(m.captured(1)));
}

QTEST_GUILESS_MAIN(TestHelp)
#include "tst_help.moc"
