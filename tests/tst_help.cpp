#include "fakes.h"
#include "platform/help.h"

#include <QDir>
#include <QLineEdit>
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

    // Every language has its page; the welcome window opens it at #Contents, where the video of
    // its language must be named.
    void pagesReachTheirVideo() {
        for (const LanguageInfo &language : programLanguages()) {
            const QString html = page(language.code);
            QVERIFY(html.contains("<meta charset=\"utf-8\">") && !html.contains("<script"));
            const QRegularExpression contents("id=\"Contents\"[\\s\\S]*?href=\"([^\"]+)\"");
            QCOMPARE(contents.match(html).captured(1), language.videoFile);
        }
    }

    // The pages' examples of alarm times are what the field does when they are typed (or pasted,
    // where the page says so): the accepted ones arm the alarm, the others leave it faulty.
    void pagesShowWhatTheFieldDoes() {
        TestRig rig;
        auto form = rig.started(iniWithAlarm(QStringLiteral("07:30")));
        auto *field = child<QLineEdit>(*form, "txtAlrm");
        const auto enter = [field](const QString &text, bool paste) {
            field->clear();
            if (paste)
                field->insert(text);
            else
                QTest::keyClicks(field, text);
            return field->text();
        };
        const QRegularExpression code("<code>([^<]*)</code>");
        const QRegularExpression row("<tr><td( class=\"bad\")?>(.*?)</td><td>(.*?)</td>");
        for (const LanguageInfo &language : programLanguages()) {
            int checked = 0;
            for (const auto &match : row.globalMatch(page(language.code))) {
                QStringList typed, shown;
                for (const auto &c : code.globalMatch(match.captured(2)))
                    typed << c.captured(1);
                for (const auto &c : code.globalMatch(match.captured(3)))
                    shown << c.captured(1);
                if (typed.isEmpty() || (!match.hasCaptured(1) && shown.size() != typed.size()))
                    continue;
                const bool paste = match.captured(2).contains(QRegularExpression("pasted|indsat"));
                for (qsizetype i = 0; i < typed.size(); ++i) {
                    const QString result = enter(typed[i], paste);
                    const bool armed = form->model().switchState() == SwitchState::Armed;
                    if (match.hasCaptured(1)) {
                        QVERIFY2(!armed, qPrintable(typed[i]));
                    } else {
                        QCOMPARE(result, shown[i]);
                        QVERIFY2(armed, qPrintable(typed[i]));
                    }
                    ++checked;
                }
            }
            QVERIFY(checked >= 15);
            // And the one the pages tell in words: the caret goes to the start after a time.
            QVERIFY(page(language.code).contains("<code>56:71</code>"));
        }
        QCOMPARE(enter(QStringLiteral("1234567"), false), QStringLiteral("56:71"));
    }

private:
    static QString page(const QString &code) {
        QFile file(QFINDTESTDATA(QStringLiteral("../resources/help/VKhelp-%1.html").arg(code)));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
};

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
