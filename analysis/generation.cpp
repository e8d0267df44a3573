#include "analysis/generation.h"

#include "analysis/range_report.h"
#include "core/leading_number.h"
#include "core/number_text.h"

#include <algorithm>
#include <cmath>

namespace pyramid {

FollowedRange followedRange(const std::string& fromText, const std::string& toText, const std::string& TitleYear)
{
    const double year = surveyYear(TitleYear);
    return {fromText, toText, year - leadingNumber(fromText), year - leadingNumber(toText)};
}

GenerationAges generationAges(const FollowedRange& range, const std::string& TitleYear, double ClassCount)
{
    const double year = surveyYear(TitleYear);
    const double lastAge = std::floor(ClassCount) - 1;
    const double from = year - range.fromBirth;
    const double to = year - range.toBirth;
    const double oldest = std::max(from, to);
    const double youngest = std::min(from, to);
    const double firstBorn = std::min(range.fromBirth, range.toBirth);
    const double lastBorn = std::max(range.fromBirth, range.toBirth);
    const std::string born = (firstBorn == lastBorn ? generalText(firstBorn)
                                                    : generalText(firstBorn) + "〜" + generalText(lastBorn)) +
                             "年生まれ";
    if (oldest < 0)
        return {{}, {}, born + "はこの年にはまだ生まれていません"};
    // A figure that is no number (the ages of a file without a year) is absent too.
    if (!(youngest <= lastAge && oldest >= 0 && lastAge >= 0))
        return {{}, {}, born + "はこのファイルの年齢の範囲外です"};
    const auto clipped = [&](double age) { return generalText(std::clamp(age, 0.0, lastAge)); };
    return {clipped(from), clipped(to), {}};
}

}  // namespace pyramid
