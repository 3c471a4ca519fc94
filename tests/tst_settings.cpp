#include "main/settingscodec.h"
#include "main/settingsfile.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <climits>
#include <cstring>
#include <unistd.h>

namespace {

const char kWriteForever[] = "--write-settings-forever";

SettingsData example() {
    SettingsData data;
    data.language = QStringLiteral("0");
    data.sound = true;
    data.windowState = 0;
    data.top = 3000;
    data.left = 9000;
    data.weekday = 2;
    data.alarmText = QStringLiteral("07:30");
    data.message = QStringLiteral("Meeting");
    data.caption = QStringLiteral("On ((o))");
    return data;
}

// The two versions the crash test alternates between; long messages widen the moment of writing.
SettingsData version(bool second) {
    SettingsData data = example();
    data.message = second ? QString(150000, u'ø') : QString(100000, u'a') + QStringLiteral("ł");
    data.weekday = second ? 7 : -1;
    return data;
}

QStringList linesOf(const SettingsData &data) {
    return decodeSettingsLines(encodeSettings(data));
}

// The child side of the crash test: saves the two versions in turn until it is killed.
int writeForever(const QString &path) {
    const QByteArray versions[] = {encodeSettings(version(true)), encodeSettings(version(false))};
    for (unsigned n = 0;; ++n)
        writeSettingsFile(path, versions[n % 2]);
}

QByteArray contentsOf(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

namespace QTest {
template <> char *toString(const std::optional<int> &value) {
    return qstrdup(value ? QByteArray::number(*value).constData() : "nothing");
}
} // namespace QTest

class TestSettings : public QObject {
    Q_OBJECT

private slots:
    void exampleFileBytes() {
        QCOMPARE(
            encodeSettings(example()),
            QByteArray("0\r\n1 0 \r\n 3000 \r\n 9000 \r\n 2 \r\n07:30\r\nMeeting\r\nOn ((o))\r\n"));
    }

    void roundTrip_data() {
        QTest::addColumn<SettingsData>("data");
        QTest::addColumn<QByteArray>("messageBytes"); // line 7 as it must stand in the file

        SettingsData danish = example();
        danish.language = QStringLiteral("1");
        danish.message = QStringLiteral("Lørdag – bær på Åen € ™");
        danish.caption = QStringLiteral("Til ((o))");
        QTest::newRow("Danish in Windows-1252") << danish
                                                << QByteArray("L\xF8rdag \x96 b\xE6r p\xE5 \xC5"
                                                              "en \x80 \x99");

        SettingsData foreign = example();
        foreign.message = QStringLiteral("Łódź ☕🙂 søen");
        QTest::newRow("outside Windows-1252 makes UTF-8")
            << foreign
            << QByteArray("\xC5\x81\xC3\xB3"
                          "d\xC5\xBA \xE2\x98\x95\xF0\x9F\x99\x82 s\xC3\xB8"
                          "en");

        // In Windows-1252 these bytes would read back as UTF-8 "ø".
        SettingsData lookalike = example();
        lookalike.message = QStringLiteral("Ã¸");
        QTest::newRow("Windows-1252 that looks like UTF-8")
            << lookalike << QByteArray("\xC3\x83\xC2\xB8");

        // The reader drops a leading byte order mark, so this one must be written behind another.
        SettingsData marked = example();
        marked.language = QChar(0xFEFF) + QStringLiteral("1");
        QTest::newRow("first line begins with a byte order mark")
            << marked << QByteArray("Meeting");

        SettingsData bare;
        bare.windowState = 1;
        bare.top = -500;
        bare.left = INT_MAX;
        bare.weekday = -1;
        bare.alarmText = QStringLiteral("25:99");
        QTest::newRow("no language, sound off, minimised, empty message") << bare << QByteArray();
    }

    void roundTrip() {
        QFETCH(SettingsData, data);
        QFETCH(QByteArray, messageBytes);

        const QByteArray bytes = encodeSettings(data);
        QVERIFY2(bytes.contains("\r\n" + messageBytes + "\r\n"), bytes.toHex(' '));

        const QStringList lines = decodeSettingsLines(bytes);
        QCOMPARE(lines.size(), 8);
        QCOMPARE(lines[0], data.language);
        QCOMPARE(roundedNumber(lines[0]), std::optional<int>(data.language.toInt()));
        QCOMPARE(soundFromLine2(lines[1]), data.sound);
        QCOMPARE(windowStateFromLine2(lines[1]), std::optional<int>(data.windowState));
        QCOMPARE(roundedNumber(lines[2]), std::optional<int>(data.top));
        QCOMPARE(roundedNumber(lines[3]), std::optional<int>(data.left));
        QCOMPARE(roundedNumber(lines[4]), std::optional<int>(data.weekday));
        QCOMPARE(lines.mid(5), QStringList({data.alarmText, data.message, data.caption}));
    }

    void writtenLines() {
        SettingsData data = example();
        data.sound = false;
        data.windowState = 1;
        data.weekday = -1;
        data.language = QStringLiteral("1\n");
        data.alarmText = QStringLiteral("07\r30");
        data.message = QStringLiteral("first\r\nsecond\nthird");
        QCOMPARE(linesOf(data), QStringList({"1 ", "0 1 ", " 3000 ", " 9000 ", "-1 ", "07 30",
                                             "first  second third", "On ((o))"}));
        QVERIFY(!soundFromLine2(QString()));
        QCOMPARE(windowStateFromLine2(QString()), std::optional(0));
        QCOMPARE(windowStateFromLine2(QStringLiteral("12 ")), std::optional(2));
    }

    void numbers_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("leading");
        QTest::addColumn<std::optional<int>>("rounded");

        const std::optional<int> none;
        QTest::newRow("blanks then letters") << "  12abc" << 12.0 << std::optional(12);
        QTest::newRow("print format") << " 3000 " << 3000.0 << std::optional(3000);
        QTest::newRow("blank ends the number") << "1 2" << 1.0 << std::optional(1);
        QTest::newRow("no number") << "abc" << 0.0 << std::optional(0);
        QTest::newRow("empty") << "" << 0.0 << std::optional(0);
        QTest::newRow("half to even down") << "2.5" << 2.5 << std::optional(2);
        QTest::newRow("half to even up") << "-3.5" << -3.5 << std::optional(-4);
        QTest::newRow("plus, point first, exponent") << "+.5e1x" << 5.0 << std::optional(5);
        QTest::newRow("rounds into range")
            << "2147483647.4" << 2147483647.4 << std::optional(INT_MAX);
        QTest::newRow("rounds out of range") << "2147483647.5" << 2147483647.5 << none;
        QTest::newRow("huge") << "99999999999" << 99999999999.0 << none;
        QTest::newRow("overflow") << "1e400" << qInf() << none;
    }

    void numbers() {
        QFETCH(QString, text);
        QFETCH(double, leading);
        QFETCH(std::optional<int>, rounded);
        QCOMPARE(leadingNumber(text), leading);
        QCOMPARE(roundedNumber(text), rounded);
    }

    void decodeLines_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("CR LF, last line without end")
            << QByteArray("a\r\n\r\nb") << QStringList({"a", "", "b"});
        QTest::newRow("empty file") << QByteArray() << QStringList();
        QTest::newRow("one empty line") << QByteArray("\r\n") << QStringList({""});
        QTest::newRow("bare LF and CR")
            << QByteArray("a\nb\rc\n\r") << QStringList({"a", "b", "c", ""});
        QTest::newRow("Windows-1252")
            << QByteArray("L\xF8rdag\x80\r\n") << QStringList({QStringLiteral("Lørdag€")});
        QTest::newRow("UTF-8 with byte order mark")
            << QByteArray::fromHex("efbbbf") + "1\r\nL\xC3\xB8rdag\r\n"
            << QStringList({"1", "Lørdag"});
        QTest::newRow("overlong UTF-8 is Windows-1252")
            << QByteArray("\xC0\xAF\r\n") << QStringList({QStringLiteral("À¯")});
        QTest::newRow("UTF-8 then a stray byte")
            << QByteArray("\xC3\xB8\r\n\xE6\x81") << QStringList({"Ã¸", QStringLiteral("æ\u0081")});
    }

    void decodeLines() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        QCOMPARE(decodeSettingsLines(bytes), lines);
    }

    void writeCreatesFolderAndReplaces() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("config/vekora/Vekora.ini"));
        QCOMPARE(readSettingsFile(path), std::optional<QByteArray>());

        QVERIFY(writeSettingsFile(path, QByteArrayLiteral("first\r\n")));
        QCOMPARE(readSettingsFile(path), std::optional(QByteArrayLiteral("first\r\n")));
        QVERIFY(writeSettingsFile(path, QByteArrayLiteral("2\r\n")));
        QCOMPARE(readSettingsFile(path), std::optional(QByteArrayLiteral("2\r\n")));
        QCOMPARE(QDir(dir.filePath(QStringLiteral("config/vekora"))).entryList(QDir::Files),
                 QStringList({"Vekora.ini"}));

        QCOMPARE(readSettingsFile(dir.path()), std::optional<QByteArray>());
    }

    void failedWriteKeepsOldFile_data() {
        QTest::addColumn<QString>("relativePath");
        QTest::addColumn<bool>("readOnlyFolder");
        QTest::newRow("read-only folder") << "locked/Vekora.ini" << true;
        // The temporary file beside it needs a longer name than the file system allows.
        QTest::newRow("no room for the temporary file") << QString(250, u'v') << false;
        QTest::newRow("folder blocked by a file") << "blocker/Vekora.ini" << false;
    }

    void failedWriteKeepsOldFile() {
        QFETCH(QString, relativePath);
        QFETCH(bool, readOnlyFolder);
        if (readOnlyFolder && ::geteuid() == 0)
            QSKIP("root writes into read-only folders");

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(relativePath);
        const QString folder = QFileInfo(path).absolutePath();
        const bool blocked = QFileInfo(folder).fileName() == QLatin1String("blocker");
        const QString old = blocked ? folder : path; // the file that must survive
        QVERIFY(QDir().mkpath(QFileInfo(old).absolutePath()));
        {
            QFile file(old);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("old\r\n");
        }
        if (readOnlyFolder)
            QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));

        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral("settings not saved")));
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
        const bool saved = writeSettingsFile(path, QByteArrayLiteral("new\r\n"));
        if (readOnlyFolder)
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        QVERIFY(!saved);
        QCOMPARE(contentsOf(old), QByteArray("old\r\n"));
    }

    void killedWriterLeavesOneWholeVersion() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("Vekora.ini"));
        const QStringList first = linesOf(version(false));
        const QStringList second = linesOf(version(true));
        QVERIFY(writeSettingsFile(path, encodeSettings(version(false))));

        for (int round = 0; round < 20; ++round) {
            QProcess child;
            child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            child.start(QCoreApplication::applicationFilePath(),
                        {QString::fromLatin1(kWriteForever), path});
            QVERIFY(child.waitForStarted());
            // Kill only once the child is seen writing, at a random moment after that.
            QDeadlineTimer deadline(5000);
            while (decodeSettingsLines(contentsOf(path)) != second && !deadline.hasExpired())
                QThread::usleep(500);
            QVERIFY(!deadline.hasExpired());
            QThread::usleep(QRandomGenerator::global()->bounded(20000));
            child.kill();
            QVERIFY(child.waitForFinished());
            QCOMPARE(child.exitStatus(), QProcess::CrashExit);

            const QStringList lines = decodeSettingsLines(contentsOf(path));
            QCOMPARE(lines.size(), 8);
            QVERIFY2(lines == first || lines == second, qPrintable(QString::number(round)));
            QVERIFY(writeSettingsFile(path, encodeSettings(version(false))));
        }
    }
};

int main(int argc, char *argv[]) {
    if (argc == 3 && std::strcmp(argv[1], kWriteForever) == 0)
        return writeForever(QString::fromLocal8Bit(argv[2]));
    QCoreApplication app(argc, argv);
    TestSettings test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_settings.moc"
