#include "analysis/range_comparison.h"

#include "analysis/range_report.h"
#include "core/checked_math.h"
#include "core/failure.h"
#include "core/number_text.h"

#include <cmath>
#include <cstdio>
#include <optional>

namespace pyramid {

namespace {

constexpr int kComparedLines = 4;  // the shares of total, men and women, and the ratio

// "0.72％": a share of the whole in per cent with two decimals.
std::string percentOf(double count, double total)
{
    const double percent = count / total * 100;
    if (!std::isfinite(percent))
        return "―";
    char text[64];
    std::snprintf(text, sizeof text, "%.2f％", percent);
    return text;
}

struct Sums {
    double male = 0;
    double female = 0;
};

// The compared file's sums over the range's classes, found slot by slot as
// the report finds them; none when a slot or a sum fails.
std::optional<Sums> rangeSums(const PopulationData& data, const AgeRange& range)
{
    Sums sums;
    try {
        for (double i = range.FromAge + 1, last = range.ToAge + 1; i <= last; i += 1) {
            sums.male = checkedAdd(sums.male, data.MalePop.at(i));
            sums.female = checkedAdd(sums.female, data.FemalePop.at(i));
        }
    } catch (const Failure&) {
        return std::nullopt;
    }
    return sums;
}

}  // namespace

std::vector<std::string> comparedFigures(const PopulationData& compared, const AgeRange& range)
{
    const std::optional<Sums> sums = rangeSums(compared, range);
    std::vector<std::string> lines;
    for (int line = 0; line < kComparedLines; ++line) {
        try {
            if (!sums)
                throw Failure(FailureKind::Overflow);
            lines.push_back(resultLineText(line, sums->male, sums->female, compared));
        } catch (const Failure&) {
            lines.push_back(std::string(resultLiteral(line)) + "―");
        }
    }
    return lines;
}

std::string comparedHeading(const PopulationData& compared) { return "輪郭：" + compared.TitleYear; }

std::string groupedCount(double count)
{
    std::string text = generalText(count);
    const std::size_t first = text.find_first_of("0123456789");
    if (first == std::string::npos || text.find('E') != std::string::npos)
        return text;
    std::size_t end = text.find('.');
    if (end == std::string::npos)
        end = text.size();
    for (std::size_t at = end; at > first + 3; at -= 3)
        text.insert(at - 3, ",");
    return text;
}

bool isOpenTopClass(int classIndex, int rows) noexcept
{
    constexpr int kOpenTopClasses = 101;  // ages 0 to 99, then 100 and over
    return rows == kOpenTopClasses && classIndex == rows;
}

std::string rowReading(const PopulationData& data, int rows, int classIndex)
{
    const int age = classIndex - 1;
    const bool andOver = isOpenTopClass(classIndex, rows);
    std::string text = std::to_string(age) + (andOver ? "歳以上" : "歳");
    const double year = surveyYear(data.TitleYear);
    if (year - age > 0)
        text += "（" + generalText(year - age) + (andOver ? "年以前生まれ）" : "年生まれ）");
    if (classIndex > rows)
        return text + "　データなし";
    const double male = data.MalePop.at(classIndex);
    const double female = data.FemalePop.at(classIndex);
    return text + "　男 " + groupedCount(male) + "人（" + percentOf(male, data.GrandTotal) + "）　女 " +
           groupedCount(female) + "人（" + percentOf(female, data.GrandTotal) + "）";
}

}  // namespace pyramid
