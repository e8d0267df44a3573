#include "chart/pyramid_mapping.h"

#include "core/checked_math.h"
#include "core/failure.h"
#include "core/number_text.h"

#include <cfloat>

namespace pyramid {

double barScaleFor(double MaxCount) { return checkedDivide(chart::kLongestBar, MaxCount); }

double rowY(double classIndex) { return chart::kBaseRowY - chart::kRowSpacing * (classIndex - 1); }

double maleBarEndX(double count, double BarScale)
{
    return checkedSubtract(chart::kCentreX, checkedMultiply(count, BarScale));
}

double femaleBarEndX(double count, double BarScale)
{
    return checkedAdd(chart::kCentreX, checkedMultiply(count, BarScale));
}

double differenceEndX(double maleCount, double femaleCount, double BarScale)
{
    return checkedAdd(chart::kCentreX,
                      checkedMultiply(checkedSubtract(femaleCount, maleCount), BarScale));
}

double maleGridX(int k, double BarScale, double step)
{
    return checkedSubtract(chart::kCentreX, checkedMultiply(k * step, BarScale));
}

double femaleGridX(int k, double BarScale, double step)
{
    return checkedAdd(chart::kCentreX, checkedMultiply(k * step, BarScale));
}

float chartCoordinate(double value)
{
    if (!(value >= -FLT_MAX && value <= FLT_MAX))
        throw Failure(FailureKind::Overflow);
    return static_cast<float>(value);
}

bool isDecadeRow(double classIndex)
{
    const std::string text = signedText(classIndex - 11);
    return !text.empty() && text.back() == '0';
}

}  // namespace pyramid
