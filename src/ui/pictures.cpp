#include "ui/pictures.h"

#include <QDateTime>
#include <QFileInfo>
#include <QImageReader>
#include <QPixmapCache>
#include <QResource>
#include <QStyle>
#include <QSysInfo>
#include <QtEndian>

// Q_INIT_RESOURCE has to be used outside any namespace.
static void registerResources() {
    Q_INIT_RESOURCE(vekora);
}

namespace {
// The program's bitmaps are 32-bit BGRA with the bottom row first: on this byte order exactly
// QImage's ARGB32, upside down. Taken straight from the resource's memory they need neither Qt's
// BMP reader nor the buffered device it reads through, code nothing else in a start runs (64 KiB
// of Qt Core resident for two small pictures). Any other layout goes to the reader.
QImage bitmapInMemory(const QString &path) {
    const QResource resource(path);
    const uchar *d = resource.data();
    if (!d || resource.compressionAlgorithm() != QResource::NoCompression || resource.size() < 70 ||
        d[0] != 'B' || d[1] != 'M' || QSysInfo::ByteOrder != QSysInfo::LittleEndian)
        return {};
    const auto word = [d](int at) { return qFromLittleEndian<quint32>(d + at); };
    const qint64 offset = word(10), width = qint32(word(18)), height = qint32(word(22));
    const bool argb = word(14) >= 108 && qFromLittleEndian<quint16>(d + 28) == 32 &&
                      word(30) == 3 && word(54) == 0x00ff0000 && word(58) == 0x0000ff00 &&
                      word(62) == 0x000000ff && word(66) == 0xff000000;
    if (!argb || width <= 0 || height <= 0 || offset + width * height * 4 > resource.size())
        return {};
    return QImage(d + offset, int(width), int(height), int(width) * 4, QImage::Format_ARGB32)
        .mirrored();
}

// Named with its format and guessing turned off: otherwise Qt loads every image format plugin
// (GIF, ICO and JPEG, with the libraries behind them) just to ask whether one of them wants it.
QImage image(const QString &path, const char *format) {
    static const bool registered = (registerResources(), true);
    Q_UNUSED(registered);
    if (qstrcmp(format, "bmp") == 0) {
        if (QImage bitmap = bitmapInMemory(path); !bitmap.isNull())
            return bitmap;
    }
    QImageReader reader(path, format);
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}
} // namespace

// The pictures a start shows are uncompressed bitmaps, which Qt reads itself: a PNG would map
// libpng and zlib into every run for two small pictures. The icon is resources/icons/vekora-32.png
// (the one installed for the desktop) saved as a bitmap with its alpha channel.
QPixmap programIcon() {
    return QPixmap::fromImage(image(QStringLiteral(":/icons/vekora-32.bmp"), "bmp"));
}

QPixmap aboutPicture() {
    return QPixmap::fromImage(image(QStringLiteral(":/about.png"), "png"));
}

namespace {
// The hex form Qt's pixmap cache keys use for numbers: each byte in memory order, low digit first.
template <typename T> QString keyHex(T value) {
    static constexpr char digits[] = "0123456789abcdef";
    QString hex;
    const auto *bytes = reinterpret_cast<const unsigned char *>(&value);
    for (std::size_t i = 0; i < sizeof(T); ++i) {
        hex += QLatin1Char(digits[bytes[i] & 0xf]);
        hex += QLatin1Char(digits[bytes[i] >> 4]);
    }
    return hex;
}
} // namespace

// Fusion draws every group box frame from a PNG of Qt's own, loaded by file name with no format,
// and Qt then loads the GIF, ICO and JPEG plugins (and libjpeg) only to ask each whether it reads
// a .png, and libpng to read it: mapped for the whole run. A pixmap loaded by file name is looked
// up in the pixmap cache first, under a key of its path, time, size and kind (as QPixmap::load
// makes it); put there, the style finds it. What is put there is a bitmap of ours made from that
// picture: its 6-pixel corners and one row and column of its even edges, which the style stretches
// in any case, so every frame is drawn pixel for pixel as from Qt's own. Should a Qt version key
// it otherwise, the style simply reads its own picture as before.
void cacheStylePictures(const QStyle *style) {
    if (!style || style->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) != 0)
        return;
    const QFileInfo frame(
        QStringLiteral(":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png"));
    if (!frame.exists())
        return;
    const QString key = QStringLiteral("qt_pixmap") + frame.absoluteFilePath() +
                        keyHex(uint(frame.lastModified().toSecsSinceEpoch())) +
                        keyHex(quint64(frame.size())) + keyHex(uint(0)); // a plain pixmap
    QPixmap cached;
    if (QPixmapCache::find(key, &cached))
        return;
    const QImage picture = image(QStringLiteral(":/fusion-groupbox.bmp"), "bmp");
    if (!picture.isNull())
        QPixmapCache::insert(key, QPixmap::fromImage(picture));
}
