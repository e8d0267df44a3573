#include "chart/pyramid_mapping.h"

#include "core/checked_math.h"
#include "core/failure.h"
#include "core/number_text.h"

#include <cfloat>

namespace pyramid {

double barScaleFor(double maxCount) { return checkedDivide(chart::kLongestBar, maxCount); }

double rowY(double classIndex) { return chart::kBaseRowY - chart::kRowSpacing * (classIndex - 1); }

double maleBarEndX(double count, double barScale)
{
    return checkedSubtract(chart::kCentreX, checkedMultiply(count, barScale));
}

double femaleBarEndX(double count, double barScale)
{
    return checkedAdd(chart::kCentreX, checkedMultiply(count, barScale));
}

double differenceEndX(double maleCount, double femaleCount, double barScale)
{
    return checkedAdd(chart::kCentreX,
                      checkedMultiply(checkedSubtract(femaleCount, maleCount), barScale));
}

double maleGridX(int k, double barScale)
{
    return checkedSubtract(chart::kCentreX, checkedMultiply(k * chart::kGridStep, barScale));
}

double femaleGridX(int k, double barScale)
{
    return checkedAdd(chart::kCentreX, checkedMultiply(k * chart::kGridStep, barScale));
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
