#pragma once

#include <QRect>

namespace velmora {

// Layouts are designed in twips: 15 to a device-independent pixel.
constexpr int Px(int twips) {
    return (twips + 7) / 15;
}

inline QRect TwipRect(int left, int top, int width, int height) {
    return {Px(left), Px(top), Px(width), Px(height)};
}

} // namespace velmora
