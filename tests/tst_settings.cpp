#include "core/settingscodec.h"
#include "platform/autostart.h"
#include "platform/help.h"
#include "platform/runrecord.h"
#include "platform/settingsfile.h"

#include "datarow.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <QTest>
#include <climits>
#include <csignal>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

bool write(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}
mode_t mode(const QString &path) {
    struct stat status;
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode : 0;
}

// Fields in file order: language, sound, window state, top, left, weekday, alarm, message, caption.
SettingsData example() {
    return {"0", true, WindowState::Normal, 3000, 9000, 2, "07:30", "Meeting", "On ((o))"};
}

} // namespace

Q_DECLARE_METATYPE(SettingsData)

namespace QTest {
template <> char *toString(const std::optional<int> &value) {
    return qstrdup(value ? QByteArray::number(*value).constData() : "nothing");
}
} // namespace QTest

class TestSettings : public QObject {
    Q_OBJECT

private slots:
    void fileBytes() {
        QCOMPARE(encodeSettings(example()), QByteArray("0\r\n1 0 \r\n 3000 \r\n 9000 \r\n 2 \r\n"
                                                       "07:30\r\nMeeting\r\nOn ((o))\r\n"));
        // Line breaks that reach the writer would break the eight-line structure.
        QCOMPARE(encodeSettings({"1\n", false, WindowState::Minimised, 3000, 9000, -1, "07\r30",
                                 "first\r\nsecond\nthird", "Off"}),
                 QByteArray("1 \r\n0 1 \r\n 3000 \r\n 9000 \r\n-1 \r\n"
                            "07 30\r\nfirst  second third\r\nOff\r\n"));
    }

    // The encoding is chosen per file: Windows-1252 when it holds everything and reads back the
    // same, UTF-8 otherwise. Each row with line 7 as it must stand in the file.
    void roundTrip_data() {
        QTest::addColumn<SettingsData>("data");
        QTest::addColumn<QByteArray>("messageBytes");
        const auto with = [](const QString &message, const QString &language = "0") {
            SettingsData data = example();
            data.message = message;
            data.language = language;
            return data;
        };
        row("Windows-1252", with("Lørdag – bær på Åen € ™", "1"),
            QByteArray("L\xF8rdag \x96 b\xE6r p\xE5 \xC5"
                       "en \x80 \x99"));
        row("outside Windows-1252", with("Łódź ☕🙂 søen"),
            QByteArray("\xC5\x81\xC3\xB3"
                       "d\xC5\xBA \xE2\x98\x95\xF0\x9F\x99\x82 s\xC3\xB8"
                       "en"));
        // In Windows-1252 these bytes would read back as UTF-8 "ø".
        row("reads as UTF-8", with("Ã¸"), QByteArray("\xC3\x83\xC2\xB8"));
        // The reader drops a leading byte order mark, so this one is written behind another.
        row("byte order mark", with("Meeting", QChar(0xFEFF) + QStringLiteral("1")),
            QByteArray("Meeting"));
        row("nothing chosen",
            SettingsData{"", false, WindowState::Minimised, -500, INT_MAX, -1, "25:99", "", ""},
            QByteArray());
    }
    void roundTrip() {
        QFETCH(SettingsData, data);
        QFETCH(QByteArray, messageBytes);
        const QByteArray bytes = encodeSettings(data);
        QVERIFY2(bytes.contains("\r\n" + messageBytes + "\r\n"), bytes.toHex(' '));
        const QStringList lines = decodeSettingsLines(bytes);
        QCOMPARE(lines.size(), 8);
        QCOMPARE(soundFromLine2(lines[1]), data.sound);
        QCOMPARE(windowStateFromLine2(lines[1]),
                 std::optional<int>(static_cast<int>(data.windowState)));
        QCOMPARE(roundedNumber(lines[2]), std::optional<int>(data.top));
        QCOMPARE(roundedNumber(lines[3]), std::optional<int>(data.left));
        QCOMPARE(roundedNumber(lines[4]), std::optional<int>(data.weekday));
        QCOMPARE(lines.mid(0, 1) + lines.mid(5),
                 QStringList({data.language, data.alarmText, data.message, data.caption}));
    }

    void numbers_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("leading");
        QTest::addColumn<std::optional<int>>("rounded");
        const std::optional<int> none;
        row("leading blanks", "  12abc", 12.0, std::optional(12));
        row("a blank ends it", "1 2", 1.0, std::optional(1));
        row("halves to even", "2.5", 2.5, std::optional(2));
        row("negative half", "-3.5", -3.5, std::optional(-4));
        row("rounds into range", "2147483647.4", 2147483647.4, std::optional(INT_MAX));
        row("rounds out of it", "2147483647.5", 2147483647.5, none);
        row("overflows", "1e400", qInf(), none);
    }
    void numbers() {
        QFETCH(QString, text);
        QFETCH(double, leading);
        QFETCH(std::optional<int>, rounded);
        QCOMPARE(leadingNumber(text), leading);
        QCOMPARE(roundedNumber(text), rounded);
    }

    void decodeLines() {
        // CR LF, bare LF and bare CR all end a line; text after the last line end is a line.
        QCOMPARE(decodeSettingsLines("a\r\n\r\nb"), QStringList({"a", "", "b"}));
        QCOMPARE(decodeSettingsLines("a\nb\rc\n\r"), QStringList({"a", "b", "c", ""}));
        // One bad byte makes the whole file Windows-1252, not just its line.
        QCOMPARE(decodeSettingsLines("\xC3\xB8\r\n\xE6\x81"),
                 QStringList({"Ã¸", QStringLiteral("æ\u0081")}));
    }

    // The folder is made; a shorter file keeps no tail of the longer, and the old one's
    // permissions; the same bytes are not written again (the file keeps its time).
    void writing() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("config/vekora/Vekora.ini"));
        QCOMPARE(readSettingsFile(path), std::optional<QByteArray>());
        QVERIFY(writeSettingsFile(path, "first\r\n"));
        QVERIFY(::chmod(QFile::encodeName(path).constData(), 0604) == 0);
        QVERIFY(writeSettingsFile(path, "2\r\n"));
        QCOMPARE(readSettingsFile(path), std::optional<QByteArray>("2\r\n"));
        QCOMPARE(mode(path) & 07777, mode_t(0604)); // the user's permissions stay
        const QDateTime past = QDateTime::currentDateTime().addDays(-1);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite) &&
                file.setFileTime(past, QFile::FileModificationTime));
        file.close();
        QVERIFY(writeSettingsFile(path, "2\r\n"));
        QCOMPARE(QFileInfo(path).lastModified(), past);
    }

    // Every writer on a real disk (a tmpfs of 64 KiB) that fills up or turns read-only: false with
    // the kernel's reason, the old file byte for byte as it was, nothing left beside it.
    void writersOnAFailingDisk_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("full");
        for (const char *name : {"Vekora.ini", "vekora.desktop", "lastrun", "VKhelp-en.html"}) {
            QTest::addRow("%s, full", name) << name << true;
            QTest::addRow("%s, read-only", name) << name << false;
        }
    }
    void writersOnAFailingDisk() {
        QFETCH(QString, name);
        QFETCH(bool, full);
        QTemporaryDir disk;
        const QByteArray rootName = QFile::encodeName(disk.path());
        const char *root = rootName.constData();
        if (::mount("tmpfs", root, "tmpfs", 0, "size=64k,mode=0700") != 0)
            QSKIP("mounting a small tmpfs takes root");
        const auto unmount = qScopeGuard([root] { ::umount2(root, MNT_DETACH); });
        const QString folder = disk.filePath(QStringLiteral("files")), path = folder + u'/' + name;
        QVERIFY(::mkdir(QFile::encodeName(folder).constData(), 0700) == 0 && write(path, "old\n"));
        QVERIFY(!full || !write(disk.filePath("filler"), QByteArray(128 * 1024, 'x'))); // fills it
        QVERIFY(full || ::mount(nullptr, root, nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0);
        QString error;
        const bool written =
            name == "Vekora.ini"       ? writeSettingsFile(path, "new\r\n", &error)
            : name == "vekora.desktop" ? setAutostart(true, path, "/usr/bin/vekora", error)
            : name == "lastrun"        ? RunRecord(path).stamp(QDateTime::currentDateTime(), &error)
                                       : helpPageOrBuiltIn("/none/" + name, folder, &error) == path;
        QVERIFY(!written);
        QVERIFY2(error.contains(qt_error_string(full ? ENOSPC : EROFS)), qPrintable(error));
        QCOMPARE(readSettingsFile(path), std::optional<QByteArray>("old\n"));
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{name});
    }

    // A link to a regular file, or to nothing yet, is written through; a link to a FIFO or a device
    // (which QSaveFile would have replaced with a regular file) is refused and left as it is.
    void linkedSettingsFile_data() {
        QTest::addColumn<int>("made");
        row("to a FIFO", int(S_IFIFO));
        row("to a device", int(S_IFCHR));
        row("to a file", int(S_IFREG));
        row("to nothing", 0);
    }
    void linkedSettingsFile() {
        QFETCH(int, made);
        QTemporaryDir dir;
        QString target = dir.filePath(QStringLiteral("target"));
        const QByteArray name = QFile::encodeName(target);
        if (made == S_IFIFO)
            QVERIFY(::mkfifo(name.constData(), 0600) == 0);
        else if (made == S_IFREG)
            QVERIFY(write(target, "old"));
        // A device of our own where we may make one: a broken writer must not replace /dev/null.
        else if (made == S_IFCHR && ::mknod(name.constData(), S_IFCHR | 0600, makedev(1, 3)) != 0)
            target = QStringLiteral("/dev/null");
        const QString path = dir.filePath(QStringLiteral("Vekora.ini"));
        QVERIFY(QFile::link(target, path));
        QString error;
        const bool written = made == S_IFREG || made == 0;
        QCOMPARE(writeSettingsFile(path, "new\r\n", &error), written);
        QVERIFY2(written || error.contains(QLatin1String("not a regular file")), qPrintable(error));
        QCOMPARE(QPair(mode(path) & S_IFMT, mode(target) & S_IFMT),
                 QPair(mode_t(S_IFLNK), mode_t(written ? S_IFREG : made)));
        QCOMPARE(readSettingsFile(target),
                 written ? std::optional<QByteArray>("new\r\n") : std::nullopt);
    }

    // The largest message in the widest encoding still reads back whole; a larger file is
    // reported, not cut.
    void largestFile() {
        SettingsData data = example();
        data.message = QString(40000, QChar(0x2615)); // three bytes in UTF-8, none in Windows-1252
        data.alarmText = QString(1000, QChar(0x2615));
        data.caption = QStringLiteral("Off");
        const QByteArray bytes = encodeSettings(data);
        QVERIFY(bytes.size() <= settingsReadLimit);
        const QStringList lines = decodeSettingsLines(bytes);
        QCOMPARE(lines.mid(7), QStringList{"Off"}); // the eighth line, and the last
        QCOMPARE(QPair(lines.at(5).size(), lines.at(6).size()),
                 QPair(maxShortTextLength, maxMessageLength));

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Vekora.ini"));
        QVERIFY(write(path, QByteArray(settingsReadLimit + 1, 'x')));
        QString problem;
        QCOMPARE(readSettingsFile(path, &problem), std::optional<QByteArray>());
        QVERIFY2(problem.contains(QLatin1String("larger than 128 KiB")), qPrintable(problem));
    }

    // The run record's folder is made private, but one the user linked keeps its mode; a FIFO in
    // the record's place is no record and does not hold the start up.
    void runRecord() {
        QTemporaryDir dir;
        const QString real = dir.filePath("real"), made = dir.filePath("new/Vekora");
        QVERIFY(::mkdir(QFile::encodeName(real).constData(), 0755) == 0 &&
                QFile::link(real, dir.filePath(QStringLiteral("linked"))));
        const QDateTime now = QDateTime::fromSecsSinceEpoch(1800000000);
        for (const QString &folder : {dir.filePath(QStringLiteral("linked")), made}) {
            QVERIFY(RunRecord(folder + QStringLiteral("/lastrun")).stamp(now));
            QCOMPARE(RunRecord(folder + QStringLiteral("/lastrun")).lastRun(), std::optional(now));
        }
        QCOMPARE(QPair(mode(real) & 07777, mode(made) & 07777), QPair(mode_t(0755), mode_t(0700)));

        const QString fifo = dir.filePath(QStringLiteral("fifo"));
        QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
        static volatile std::sig_atomic_t rang = 0;
        struct sigaction wake = {};
        wake.sa_handler = [](int) { rang = 1; }; // no SA_RESTART: the alarm ends a blocked open()
        ::sigaction(SIGALRM, &wake, nullptr);
        ::alarm(2);
        QCOMPARE(RunRecord(fifo).lastRun(), std::optional<QDateTime>());
        ::alarm(0);
        QVERIFY2(!rang, "lastRun() waited for a writer on a FIFO");
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
