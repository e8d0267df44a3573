#pragma once
// A text shown on the chart beyond its designed labels (a comparison's
// legend and figures). Composed without Qt, so the screen, the copied image
// and the printed page show the same words at the same place.

#include <string>

namespace pyramid {

struct ChartText {
    double x = 0;      // left edge, in the chart's user units
    double y = 0;      // top edge, in the chart's user units
    std::string text;  // UTF-8
    int colour = 0;    // a colour number, as the chart surface's lines take it
    friend bool operator==(const ChartText&, const ChartText&) = default;
};

}  // namespace pyramid
