#include "ui/pictures.h"

// Q_INIT_RESOURCE has to be used outside any namespace.
static void registerResources() {
    Q_INIT_RESOURCE(vekora);
}

namespace {
QPixmap picture(const QString &path) {
    static const bool registered = (registerResources(), true);
    Q_UNUSED(registered);
    return QPixmap(path);
}
} // namespace

QPixmap programIcon() {
    return picture(QStringLiteral(":/icons/vekora-32.png"));
}

QPixmap aboutPicture() {
    return picture(QStringLiteral(":/about.png"));
}
