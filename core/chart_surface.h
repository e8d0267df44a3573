#pragma once
// The chart surface as the handlers see it: a 640 x 480 user scale on which
// straight lines are drawn in palette colours, and a few texts beyond the
// designed labels are shown.

#include "core/chart_text.h"

#include <vector>

namespace pyramid {

class ChartSurface {
public:
    virtual ~ChartSurface() = default;
    // Gives the surface a user scale of `width` x `height` units, origin top left.
    virtual void setUserScale(double width, double height) = 0;
    // Clears the whole surface to its background colour; its texts go too.
    virtual void clear() = 0;
    // A straight line in palette colour `colour` with the surface's pen;
    // coordinates are in user units and clipped at the edges.
    virtual void line(float x1, float y1, float x2, float y2, int colour) = 0;
    // The texts shown over the lines, replacing those shown before.
    virtual void setNotes(std::vector<ChartText> notes) = 0;
};

}  // namespace pyramid
