#include "analysis/worksheet_figures.h"

#include "core/number_text.h"
#include "data/regional_file_load.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace pyramid {

namespace {

// The age groups by the classes they hold (class i is age i-1).
constexpr int kFirstWorkingClass = 16;  // age 15
constexpr int kFirstOldClass = 66;      // age 65

// "（20.2％）" of a share, one decimal as a worksheet rounds it; nothing
// where there is no share to show.
std::string percentText(double share) noexcept
{
    return std::isfinite(share) ? "（" + fixedText(share * 100, 1) + "％）" : "";
}

std::string withoutTrailingBlanks(std::string text)
{
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

}  // namespace

// Plain sums: a sum beyond the range of numbers (counts that cancel only in
// the load's order) stays an infinity or NaN, which the text shows as
// kNoNumber, never as a wrong number.
AgeGroups ageGroupsOf(const PopulationData& data) noexcept
{
    AgeGroups groups;
    for (int i = 1; i <= PopulationTable::kLastSlot; ++i) {
        double& group = i < kFirstWorkingClass ? groups.young : i < kFirstOldClass ? groups.working : groups.old;
        group += data.MalePop.countOrZero(i) + data.FemalePop.countOrZero(i);
    }
    return groups;
}

FileFigures fileFigures(std::string_view path, const PopulationData& data) noexcept
{
    const AgeGroups groups = ageGroupsOf(data);
    const auto share = [&](double persons) { return data.GrandTotal == 0 ? NAN : persons / data.GrandTotal; };
    const auto groupLine = [&](std::string_view name, double persons) {
        return std::string(name) + "=" + generalText(persons) + " 割合=" + quotientText(persons, data.GrandTotal) +
               percentText(share(persons));
    };
    const double dependency = groups.working == 0 ? NAN : (groups.young + groups.old) / groups.working * 100;
    FileFigures figures;
    figures.title = withoutTrailingBlanks(data.TitleYear + std::string(kTitleSuffix));
    figures.path = "ファイル=" + std::string(path);
    figures.ageGroups = {
        groupLine("年少人口(0～14歳)", groups.young),
        groupLine("生産年齢人口(15～64歳)", groups.working),
        groupLine("老年人口(65歳以上)", groups.old),
        "高齢化率=" + (std::isfinite(share(groups.old)) ? fixedText(share(groups.old) * 100, 1) + "％" : std::string(kNoNumber)),
        "従属人口指数=" + fixedText(dependency, 1),
    };
    return figures;
}

std::string worksheetResultLine(int line, std::string caption) noexcept
{
    constexpr int kSharesEnd = 3;  // lines 0 to 2 are shares, line 3 the male/female ratio
    const std::size_t at = caption.find('=');
    if (line < 0 || line > kSharesEnd || at == std::string::npos)
        return caption;
    double value = 0;
    const char* first = caption.data() + at + 1;
    const char* last = caption.data() + caption.size();
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last || first == last || !std::isfinite(value))
        return caption;
    return caption + (line < kSharesEnd ? percentText(value) : "（人口性比 " + fixedText(value * 100, 1) + "）");
}

std::string rangeLine(std::string_view fromCaption, std::string_view toCaption) noexcept
{
    return "範囲=" + std::string(fromCaption) + " " + std::string(toCaption);
}

std::string figuresText(const std::vector<FileFigures>& files) noexcept
{
    std::string text;
    // A title or path may hold a line break (a quoted year text spanning
    // lines): it reads as a blank, so every line stays one line.
    const auto add = [&text](std::string line) {
        std::replace_if(line.begin(), line.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
        text += line + "\n";
    };
    for (const FileFigures& file : files) {
        add(file.title);
        add(file.path);
        for (const std::string& line : file.report)
            add(line);
        for (const std::string& line : file.ageGroups)
            add(line);
    }
    return text;
}

}  // namespace pyramid
