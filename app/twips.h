#pragma once
// The design places and sizes everything in twips: 1440 to the inch, so 15
// to a logical pixel at 96 logical dots per inch.

#include <QRect>

namespace pyramid::ui {

inline constexpr int kTwipsPerPixel = 15;

// A place of the design in logical pixels.
inline QRect twips(int left, int top, int width, int height)
{
    return {left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel, height / kTwipsPerPixel};
}

}  // namespace pyramid::ui
