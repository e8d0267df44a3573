#include "chart/paper_marks.h"

#include "chart/pyramid_mapping.h"
#include "core/number_text.h"
#include "core/palette.h"

#include <algorithm>
#include <cmath>

namespace pyramid {

namespace {

constexpr double kReachOfAxes = 300;  // the axes span 300 units either side of the centre
constexpr double kTopAge = 100;
constexpr double kAgeStep = 10;
constexpr double kLabelGap = 8;

// Lines of `spacing` units inside the axes.
int linesWithin(double spacing) { return spacing > 0 ? int(std::floor(kReachOfAxes / spacing + 1e-9)) : 0; }

}  // namespace

std::string personsText(double persons)
{
    return persons >= 10000 ? generalText(persons / 10000) + "万人" : generalText(persons) + "人";
}

double roundGridStep(double barScale)
{
    for (double power = 1; power < 1e15; power *= 10)
        for (double factor : {1.0, 2.0, 5.0})
            if (linesWithin(factor * power * barScale) <= paper::kMostLines)
                return factor * power;
    return 1e15;
}

PaperMarks paperMarks(const PyramidScale& scale, double barScale, double sharesOf)
{
    PaperMarks marks;
    if (!(barScale > 0) || !std::isfinite(barScale))
        return marks;
    for (double age = 0; age <= kTopAge; age += kAgeStep) {
        const std::string text = generalText(age) + "歳";
        marks.texts.push_back({-4 - noteWidth(text), rowY(age + 1) - notes::kLineHeight / 2, text, palette::BrightWhite});
    }

    // The window's grid where it shows two lines a side or more, else paper's own.
    double step = scale.gridStep;
    int lines = std::min(scale.gridLines, linesWithin(step * barScale));
    if (lines < 2 && sharesOf == 0) {
        step = roundGridStep(barScale);
        lines = linesWithin(step * barScale);
        for (int k = 1; k <= lines; ++k)
            for (double x : {maleGridX(k, barScale, step), femaleGridX(k, barScale, step)})
                marks.grid.push_back({float(x), 420, float(x), 20});
    }
    if (lines < 1)
        return marks;
    const auto valueText = [&](double k) {
        return sharesOf > 0 ? generalText(k * step / sharesOf * 100) + "％" : personsText(k * step);
    };
    // Every line's value where it has room, else every second, fifth, tenth ...
    const double spacing = step * barScale;
    const double widest = noteWidth(valueText(lines)) + kLabelGap;
    double every = 1;
    for (double power = 1; every * spacing < widest && power < 1e15; power *= 10)
        for (double factor : {1.0, 2.0, 5.0}) {
            every = factor * power;
            if (every * spacing >= widest)
                break;
        }
    const double top = chart::kHeight + 2;
    for (double k = every; k <= lines; k += every) {
        const std::string text = valueText(k);
        const double width = noteWidth(text);
        marks.texts.push_back({maleGridX(int(k), barScale, step) - width / 2, top, text, palette::BrightWhite});
        marks.texts.push_back({std::min(femaleGridX(int(k), barScale, step) - width / 2, chart::kWidth - width), top,
                               text, palette::BrightWhite});
    }
    const std::string caption = "目盛り線の間隔：" + valueText(1);
    marks.texts.push_back({chart::kCentreX - noteWidth(caption) / 2, top + notes::kLineHeight, caption,
                           palette::BrightWhite});
    return marks;
}

}  // namespace pyramid
