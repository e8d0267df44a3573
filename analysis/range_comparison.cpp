#include "analysis/range_comparison.h"

#include "analysis/range_report.h"
#include "core/failure.h"
#include "core/number_text.h"
#include "core/statement_runner.h"

#include <optional>

namespace pyramid {

namespace {

constexpr int kComparedLines = 4;  // the shares of total, men and women, and the ratio

// A prompt that is never shown: the compared file's figures are reckoned
// beside the report, and a statement that fails there leaves them unknown.
class Unasked : public ErrorPrompt {
public:
    bool askToContinue(std::string_view, std::string_view) override { return false; }
};

}  // namespace

std::vector<std::string> comparedFigures(const PopulationData& compared, const AgeRange& range) noexcept
{
    std::optional<RangeSums> sums;
    Unasked unasked;
    runHandler(unasked, [&](StatementRunner& run) { sums = sumRange(run, compared, range); });
    std::vector<std::string> lines;
    for (int line = 0; line < kComparedLines; ++line) {
        try {
            if (!sums)
                throw Failure(FailureKind::Overflow);
            lines.push_back(resultLineText(line, sums->RangeMale, sums->RangeFemale, compared));
        } catch (const Failure&) {
            lines.push_back(std::string(resultLiteral(line)) + std::string(kNoNumber));
        }
    }
    return lines;
}

std::string comparedHeading(const PopulationData& compared) { return "輪郭：" + compared.TitleYear; }

std::string groupedCount(double count) noexcept
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

std::string rowReading(const PopulationData& data, int rows, int classIndex) noexcept
{
    const int age = classIndex - 1;
    const bool andOver = isOpenTopClass(classIndex, rows);
    std::string text = std::to_string(age) + (andOver ? "歳以上" : "歳");
    const double year = surveyYear(data.TitleYear);
    if (year - age > 0)
        text += "（" + generalText(year - age) + (andOver ? "年以前生まれ）" : "年生まれ）");
    if (classIndex > rows)
        return text + "　データなし";
    const double male = data.MalePop.countOrZero(classIndex);
    const double female = data.FemalePop.countOrZero(classIndex);
    // A share of the whole in per cent with two decimals ("0.72％").
    const auto percent = [&](double count) { return fixedText(count / data.GrandTotal * 100, 2) + "％"; };
    return text + "　男 " + groupedCount(male) + "人（" + percent(male) + "）　女 " + groupedCount(female) + "人（" +
           percent(female) + "）";
}

}  // namespace pyramid
