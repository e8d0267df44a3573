#pragma once
// What the chart carries on paper only, around the window's chart: the ages
// down the side, and under the base line the value of the grid, in persons
// or, comparing in shares, in per cent. Where the window's grid has fewer
// than two lines inside the axes (a prefecture or a ward, whose bars are far
// shorter than 100,000 persons), paper gets a grid of a round step of its
// own. The window's chart itself is never touched.

#include "chart/pyramid_comparison.h"

#include <string>
#include <vector>

namespace pyramid {

namespace paper {
inline constexpr double kSideMargin = 56;  // units left of the chart for the ages
inline constexpr double kFootMargin = 36;  // units under the chart for the scale
inline constexpr int kMostLines = 6;       // of a grid of paper's own, a side
}  // namespace paper

struct PaperMarks {
    std::vector<OutlineLine> grid;  // drawn on paper only, under the bars, in palette::LightCyan
    std::vector<ChartText> texts;   // x < 0 lies in the side margin, y > 480 in the foot
};

// The marks for a drawn file at `barScale` units per person with the grid
// of `scale`; `sharesOf` is the drawn file's total when the grid counts
// shares of it, else 0. Empty when the bar scale is not a positive number.
PaperMarks paperMarks(const PyramidScale& scale, double barScale, double sharesOf);

// The smallest step of 1, 2 or 5 times a power of ten persons that gives at
// most paper::kMostLines lines inside the axes at `barScale`.
double roundGridStep(double barScale);

// "10万人", "1.5万人", "5000人".
std::string personsText(double persons);

}  // namespace pyramid
