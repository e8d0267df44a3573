#include "chart/pyramid_drawing.h"

#include "chart/pyramid_mapping.h"
#include "core/palette.h"

namespace pyramid {

void drawChartLine(StatementRunner& run, ChartSurface& surface, double x1, double y1, double x2,
                   double y2, int colour)
{
    run([&] {
        surface.line(chartCoordinate(x1), chartCoordinate(y1), chartCoordinate(x2),
                     chartCoordinate(y2), colour);
    });
}

namespace {

// A line whose end is worked out inside the statement, so that a failing
// lookup or overflow is retried together with the line it belongs to.
template <class EndX>
void drawBar(StatementRunner& run, ChartSurface& surface, double y, int colour, EndX&& endX)
{
    run([&] {
        const float yf = chartCoordinate(y);
        surface.line(chartCoordinate(chart::kCentreX), yf, chartCoordinate(endX()), yf, colour);
    });
}

}  // namespace

void drawClassRow(StatementRunner& run, ChartSurface& surface, const PopulationData& data,
                  double classIndex, double BarScale, int barColour)
{
    const double y = rowY(classIndex);
    drawBar(run, surface, y, barColour,
            [&] { return maleBarEndX(data.MalePop.at(classIndex), BarScale); });
    drawBar(run, surface, y, barColour,
            [&] { return femaleBarEndX(data.FemalePop.at(classIndex), BarScale); });
    drawBar(run, surface, y, palette::LightGreen, [&] {
        return differenceEndX(data.MalePop.at(classIndex), data.FemalePop.at(classIndex), BarScale);
    });
}

int pyramidBarColour(double classIndex)
{
    return isDecadeRow(classIndex) ? palette::LightRed : palette::BrightWhite;
}

void drawPyramidChart(StatementRunner& run, ChartSurface& surface, const PopulationData& data,
                      double ClassCount, const PyramidScale& scale)
{
    // Base axis three units thick, then the centre axis three units thick.
    for (double y : {420.0, 421.0, 422.0})
        drawChartLine(run, surface, 20, y, 620, y, palette::BrightWhite);
    for (double x : {320.0, 319.0, 321.0})
        drawChartLine(run, surface, x, 20, x, 420, palette::BrightWhite);

    const double BarScale = run([&] { return scale.barScaleOf(data); });

    countingLoop(run, [] { return 1.0; }, [&] { return double(scale.gridLines); }, [&](double k) {
        const int colour = run([&] {
            return int(k) % chart::kTenthGridLine == 0 ? palette::LightMagenta : palette::LightCyan;
        });
        const double left = run([&] { return maleGridX(int(k), BarScale, scale.gridStep); });
        drawChartLine(run, surface, left, 420, left, 20, colour);
        const double right = run([&] { return femaleGridX(int(k), BarScale, scale.gridStep); });
        drawChartLine(run, surface, right, 420, right, 20, colour);
    });

    countingLoop(run, [] { return 1.0; }, [&] { return ClassCount; }, [&](double i) {
        const int colour = run([&] { return pyramidBarColour(i); });
        drawClassRow(run, surface, data, i, BarScale, colour);
    });
}

void tryPyramidChart(StatementRunner& run, const PopulationData& data, double ClassCount,
                     const PyramidScale& scale)
{
    // Keeps nothing: only whether every line could be drawn matters.
    class Unseen : public ChartSurface {
    public:
        void setUserScale(double, double) override {}
        void clear() override {}
        void line(float, float, float, float, int) override {}
        void setNotes(std::vector<ChartText>) override {}
    } unseen;
    drawPyramidChart(run, unseen, data, ClassCount, scale);
}

void drawPyramid(StatementRunner& run, FormControls& form, const PopulationData& data,
                 double ClassCount, const PyramidScale& scale)
{
    drawPyramidChart(run, form.chart(), data, ClassCount, scale);
    run([&] { form.setVisible(Button::Command3, true); });
    run([&] { form.setFocus(Button::Command3); });
}

}  // namespace pyramid
