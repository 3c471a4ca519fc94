#include "ui/pictures.h"

#include <QImageReader>

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
