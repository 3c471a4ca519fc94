#pragma once

#include <QPixmap>

class QStyle;

// The pictures built into the program. The resources live in a static library, where nothing
// would pull them in, so these make sure they are registered first.
QPixmap programIcon();  // the alarm clock, 32 x 32
QPixmap aboutPicture(); // the About window's alarm clock, 139 x 120

// Puts the pictures the widget style reads by file name into the pixmap cache, read as PNG, before
// the first paint; see pictures.cpp.
void cacheStylePictures(const QStyle *style);
