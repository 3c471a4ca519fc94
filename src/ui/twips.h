#pragma once

#include <QRect>

// The two small windows were laid out in twips; at 96 dots per inch 15 of them make a pixel.
namespace Twips {

constexpr int perPixel = 15;

constexpr int px(int twips) {
    return (twips * 2 + 15) / 30;
} // nearest pixel, for twips >= 0

// Edges are rounded rather than sizes, so controls that touch in twips still touch in pixels.
constexpr QRect rect(int left, int top, int width, int height) {
    return QRect(QPoint(px(left), px(top)), QPoint(px(left + width) - 1, px(top + height) - 1));
}

} // namespace Twips
