#include "platform/opener.h"

#include <QDesktopServices>

bool DesktopOpener::open(const QUrl &url) {
    return QDesktopServices::openUrl(url);
}
