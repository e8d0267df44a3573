#pragma once
// A chart surface that keeps the lines drawn on it, in order, and its texts.

#include "core/chart_surface.h"

#include <utility>
#include <vector>

namespace pyramid::testing {

struct ChartLine {
    float x1, y1, x2, y2;
    int colour;
    friend bool operator==(const ChartLine&, const ChartLine&) = default;
};

class RecordingChart : public ChartSurface {
public:
    void setUserScale(double width, double height) override
    {
        scaleWidth = width;
        scaleHeight = height;
    }
    void clear() override
    {
        ++clears;
        lines.clear();
        notes.clear();
    }
    void line(float x1, float y1, float x2, float y2, int colour) override
    {
        lines.push_back({x1, y1, x2, y2, colour});
    }
    void setNotes(std::vector<ChartText> texts) override { notes = std::move(texts); }

    double scaleWidth = 0;
    double scaleHeight = 0;
    int clears = 0;
    std::vector<ChartLine> lines;
    std::vector<ChartText> notes;
};

}  // namespace pyramid::testing
