#pragma once
// Where the pyramid puts things on the 640 x 480 chart surface. The draw,
// the analysis repaint and the highlight all place rows and bars through
// this one mapping, so the three can never disagree.

namespace pyramid {

namespace chart {
inline constexpr double kWidth = 640;
inline constexpr double kHeight = 480;
inline constexpr double kCentreX = 320;
inline constexpr double kBaseRowY = 418;   // row of age 0
inline constexpr double kRowSpacing = 4;
inline constexpr double kLongestBar = 250; // units for the largest count
inline constexpr double kGridStep = 100000; // persons between grid lines
inline constexpr int kGridLines = 13;
inline constexpr int kTenthGridLine = 10;
}  // namespace chart

// BarScale: chart units of bar length per person, 250 / MaxCount.
// Fails with DivisionByZero when MaxCount is 0.
double barScaleFor(double MaxCount);

// y of the row of age class i (class i holds age i - 1).
double rowY(double classIndex);

// x where a male bar of `count` persons ends (leftwards of the centre).
double maleBarEndX(double count, double BarScale);
// x where a female bar of `count` persons ends (rightwards).
double femaleBarEndX(double count, double BarScale);
// x where the difference line ends: right by the female surplus, left by the male one.
double differenceEndX(double maleCount, double femaleCount, double BarScale);

// x of grid line k on the male (left) and female (right) side, `step`
// persons apart.
double maleGridX(int k, double BarScale, double step = chart::kGridStep);
double femaleGridX(int k, double BarScale, double step = chart::kGridStep);

// A chart coordinate as the line operation takes it, in single precision.
// Fails with Overflow beyond the single-precision range.
float chartCoordinate(double value);

// Decade rows (ages 0, 10, 20, ...): the last character of the signed text
// of (i - 11) is "0". A fractional class never passes.
bool isDecadeRow(double classIndex);

}  // namespace pyramid
