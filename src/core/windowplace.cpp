#include "core/windowplace.h"

#include <algorithm>

namespace {
// The upper bound first: when the window is wider than the area, the lower bound must win.
int clampAxis(int wanted, int outer, int areaStart, int areaLength) {
    return std::max(areaStart, std::min(wanted, areaStart + areaLength - outer));
}
} // namespace

QPoint placeWithin(const QPoint &wanted, const QSize &inner, const QMargins &frame,
                   const QRect &available) {
    const QSize outer = inner.grownBy(frame);
    return {clampAxis(wanted.x(), outer.width(), available.x(), available.width()),
            clampAxis(wanted.y(), outer.height(), available.y(), available.height())};
}
