#pragma once
// The pyramid on the chart surface: axes, grid and the bars of every class.

#include "core/chart_surface.h"
#include "core/form_controls.h"
#include "core/statement_runner.h"
#include "chart/pyramid_mapping.h"
#include "data/population.h"

#include <optional>

namespace pyramid {

// How the drawn file is scaled. Left as it is, the pyramid's own: 250 /
// MaxCount and a grid line every 100,000 persons. A comparison gives its
// common scale and a grid that means something on it.
struct PyramidScale {
    std::optional<double> barScale;      // chart units per person of the drawn file
    double gridStep = chart::kGridStep;  // persons between grid lines
    int gridLines = chart::kGridLines;   // every tenth line in light magenta

    // BarScale of `data`: the given one, else 250 / MaxCount (which fails when it is 0).
    double barScaleOf(const PopulationData& data) const
    {
        return barScale ? *barScale : barScaleFor(data.MaxCount);
    }
};

// One line in user units, as one statement of the caller.
void drawChartLine(StatementRunner& run, ChartSurface& surface, double x1, double y1, double x2,
                   double y2, int colour);

// The three lines of class i: male bar and female bar in `barColour`, then
// the difference line in light green. Each line is a statement of its own.
void drawClassRow(StatementRunner& run, ChartSurface& surface, const PopulationData& data,
                  double classIndex, double BarScale, int barColour);

// The pyramid's own colour of class i: light red for decade rows, else bright white.
int pyramidBarColour(double classIndex);

// Axes, BarScale, grid and the bars of classes 1..ClassCount at `scale`.
void drawPyramidChart(StatementRunner& run, ChartSurface& surface, const PopulationData& data,
                      double ClassCount, const PyramidScale& scale);

// The same chart drawn where no one sees it, statement by statement: a
// failure asks the prompt as the real drawing would, and No leaves every
// surface as it was. For a new scale that is taken up only once it draws.
void tryPyramidChart(StatementRunner& run, const PopulationData& data, double ClassCount,
                     const PyramidScale& scale);

// The drawing half of the draw command, after the load: the chart at the
// file's own scale (or a folder's common one), then Command3 shown and focused.
void drawPyramid(StatementRunner& run, FormControls& form, const PopulationData& data,
                 double ClassCount, const PyramidScale& scale = {});

}  // namespace pyramid
