#include "ui/pictures.h"

#include <QDateTime>
#include <QFileInfo>
#include <QImageReader>
#include <QPixmapCache>
#include <QStyle>

// Q_INIT_RESOURCE has to be used outside any namespace.
static void registerResources() {
    Q_INIT_RESOURCE(vekora);
}

namespace {
QPixmap picture(const QString &path) {
    static const bool registered = (registerResources(), true);
    Q_UNUSED(registered);
    // Named as PNG with guessing turned off: otherwise Qt loads every image format plugin
    // (GIF, ICO, JPEG and the libraries behind them) just to ask whether one of them wants it.
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}
} // namespace

QPixmap programIcon() {
    return picture(QStringLiteral(":/icons/vekora-32.png"));
}

QPixmap aboutPicture() {
    return picture(QStringLiteral(":/about.png"));
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
// a .png: 0.2 MiB that stay mapped for the whole run. A pixmap loaded by file name is looked up in
// the pixmap cache first, under a key of its path, time, size and kind (as QPixmap::load makes
// it); read here as PNG and left there, the style finds it. Should a Qt version key it otherwise,
// the style simply reads it itself as before.
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
    QImageReader reader(frame.absoluteFilePath(), "png");
    reader.setAutoDetectImageFormat(false);
    const QImage image = reader.read();
    if (!image.isNull())
        QPixmapCache::insert(key, QPixmap::fromImage(image));
}
