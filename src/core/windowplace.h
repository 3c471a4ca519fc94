#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

// Where to put a window's outer top-left (frame and title bar included) so that the whole framed
// window lies inside `available`, the screen's area free of panels. `wanted` is the outer
// top-left asked for, `inner` the client size and `frame` what the window manager adds around it.
// A window larger than the area keeps its top-left corner, and so its title bar, on the screen.
QPoint placeWithin(const QPoint &wanted, const QSize &inner, const QMargins &frame,
                   const QRect &available);
