#pragma once
// Where a point of the chart's 640 x 480 user scale lands in the pixels of
// the chart's drawing, for tests that look at a drawn pyramid.

#include <QColor>
#include <QImage>

#include <cmath>

namespace pyramid::testing {

inline constexpr int kChartInnerWidth = 455;  // the chart's inner area in logical pixels
inline constexpr int kChartInnerHeight = 359;

// Coordinates reach the surface in single precision, the scale stretches
// 640 x 480 over the inner area, and the unsmoothed pen fills the device
// pixel the point lies in.
inline int deviceColumn(double x, qreal ratio)
{
    return int(std::floor(double(float(x)) * (kChartInnerWidth / 640.0) * ratio));
}
inline int deviceRow(double y, qreal ratio)
{
    return int(std::floor(double(float(y)) * (kChartInnerHeight / 480.0) * ratio));
}

inline QColor pixelAt(const QImage& drawing, double x, double y)
{
    const qreal ratio = drawing.devicePixelRatio();
    return drawing.pixelColor(deviceColumn(x, ratio), deviceRow(y, ratio));
}

// Whether `units` along x cover at least `pixels` device pixels.
inline bool spans(double units, double pixels, qreal ratio)
{
    return units * kChartInnerWidth / 640.0 * ratio >= pixels;
}

// The row of an age: class i = age + 1 lies at 418 - 4 (i - 1).
inline double rowOfAge(int age)
{
    return 418.0 - 4.0 * age;
}

}  // namespace pyramid::testing
