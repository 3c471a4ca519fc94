#include "core/settingscodec.h"
#include "platform/settingsfile.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <climits>

namespace {

// Fields in file order: language, sound, window state, top, left, weekday, alarm, message, caption.
SettingsData example() {
    return {"0", true, WindowState::Normal, 3000, 9000, 2, "07:30", "Meeting", "On ((o))"};
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
    // same, UTF-8 otherwise.
    void roundTrip() {
        const auto withMessage = [](const QString &message, const QString &language = "0") {
            SettingsData data = example();
            data.message = message;
            data.language = language;
            return data;
        };
        // Each with line 7 as it must stand in the file.
        const std::pair<SettingsData, QByteArray> cases[] = {
            {withMessage("Lørdag – bær på Åen € ™", "1"), "L\xF8rdag \x96 b\xE6r p\xE5 \xC5"
                                                          "en \x80 \x99"},
            // Outside Windows-1252: UTF-8.
            {withMessage("Łódź ☕🙂 søen"),
             "\xC5\x81\xC3\xB3"
             "d\xC5\xBA \xE2\x98\x95\xF0\x9F\x99\x82 s\xC3\xB8"
             "en"},
            // In Windows-1252 these bytes would read back as UTF-8 "ø".
            {withMessage("Ã¸"), "\xC3\x83\xC2\xB8"},
            // The reader drops a leading byte order mark, so this one must be written behind
            // another.
            {withMessage("Meeting", QChar(0xFEFF) + QStringLiteral("1")), "Meeting"},
            // No language, sound off, minimised, an empty message.
            {{"", false, WindowState::Minimised, -500, INT_MAX, -1, "25:99", "", ""}, ""},
        };
        for (const auto &[data, messageBytes] : cases) {
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
    }

    void numbers() {
        const std::optional<int> none;
        struct {
            const char *text;
            double leading;
            std::optional<int> rounded;
        } const cases[] = {
            {"  12abc", 12.0, 12},
            {"1 2", 1.0, 1}, // a blank ends the number
            {"2.5", 2.5, 2}, // halves to even
            {"-3.5", -3.5, -4},
            {"2147483647.4", 2147483647.4, INT_MAX}, // rounds into range
            {"2147483647.5", 2147483647.5, none},    // rounds out of it
            {"1e400", qInf(), none},
        };
        for (const auto &c : cases) {
            QCOMPARE(leadingNumber(c.text), c.leading);
            QCOMPARE(roundedNumber(c.text), c.rounded);
        }
    }

    void decodeLines() {
        // CR LF, bare LF and bare CR all end a line; text after the last line end is a line.
        QCOMPARE(decodeSettingsLines("a\r\n\r\nb"), QStringList({"a", "", "b"}));
        QCOMPARE(decodeSettingsLines("a\nb\rc\n\r"), QStringList({"a", "b", "c", ""}));
        // One bad byte makes the whole file Windows-1252, not just its line.
        QCOMPARE(decodeSettingsLines("\xC3\xB8\r\n\xE6\x81"),
                 QStringList({"Ã¸", QStringLiteral("æ\u0081")}));
    }

    // The folder is made; a shorter file keeps no tail of the longer; the same bytes are not
    // written again (the file keeps its time).
    void writing() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("config/vekora/Vekora.ini"));
        QCOMPARE(readSettingsFile(path), std::optional<QByteArray>());
        for (const QByteArray &bytes : {QByteArray("first\r\n"), QByteArray("2\r\n")}) {
            QVERIFY(writeSettingsFile(path, bytes));
            QCOMPARE(readSettingsFile(path), std::optional(bytes));
        }
        const QDateTime past = QDateTime::currentDateTime().addDays(-1);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite) &&
                file.setFileTime(past, QFile::FileModificationTime));
        file.close();
        QVERIFY(writeSettingsFile(path, "2\r\n"));
        QCOMPARE(QFileInfo(path).lastModified(), past);
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
