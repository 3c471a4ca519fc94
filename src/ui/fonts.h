#pragma once

#include <QFont>

// The desktop's sans-serif family at a given size; the windows were drawn for such a font.
QFont sansFont(qreal pointSize, bool bold = false, bool italic = false);
