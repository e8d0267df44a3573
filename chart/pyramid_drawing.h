#pragma once
// The pyramid on the chart surface: axes, grid and the bars of every class.

#include "core/chart_surface.h"
#include "core/form_controls.h"
#include "core/statement_runner.h"
#include "data/population.h"

namespace pyramid {

// One line in user units, as one statement of the caller.
void drawChartLine(StatementRunner& run, ChartSurface& surface, double x1, double y1, double x2,
                   double y2, int colour);

// The three lines of class i: male bar and female bar in `barColour`, then
// the difference line in light green. Each line is a statement of its own.
void drawClassRow(StatementRunner& run, ChartSurface& surface, const PopulationData& data,
                  double classIndex, double BarScale, int barColour);

// The pyramid's own colour of class i: light red for decade rows, else bright white.
int pyramidBarColour(double classIndex);

// The drawing half of the draw command, after the load: axes, BarScale,
// grid, bars of classes 1..ClassCount, then Command3 shown and focused.
void drawPyramid(StatementRunner& run, FormControls& form, const PopulationData& data,
                 double ClassCount);

}  // namespace pyramid
