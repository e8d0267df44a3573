#pragma once
// The figures that go on a worksheet with the chart: what the copied text
// and the printed page say. Composed here, once, so the clipboard, the
// paper and the result labels cannot disagree.

#include "data/population.h"

#include <string>
#include <string_view>
#include <vector>

namespace pyramid {

// Persons of the three age groups of the tables: 0-14, 15-64, 65 and over.
struct AgeGroups {
    double young = 0;
    double working = 0;
    double old = 0;
};
AgeGroups ageGroupsOf(const PopulationData& data) noexcept;

// One data file's block, line by line (UTF-8, no line ends).
struct FileFigures {
    std::string title;                   // the chart's title, without its trailing blanks
    std::string path;                    // "ファイル=" and the file's path
    std::vector<std::string> report;     // the range, then the eight result lines; empty without a report
    std::vector<std::string> ageGroups;  // the three groups with their shares, 高齢化率, 従属人口指数
};

// The block of a loaded file, without a report. Asked outside any handler
// (copy, print), so it cannot fail: a figure with no value shows kNoNumber.
FileFigures fileFigures(std::string_view path, const PopulationData& data) noexcept;

// Result line `line` (0..7) as a worksheet gives it: its caption as the
// label shows it, a share also in per cent with one decimal
// ("総人口比=0.20167265698897（20.2％）"), the male/female ratio also as the
// sex ratio, men per 100 women ("男／女比=0.95（人口性比 95.0）"). A caption
// without a number stays as it is.
std::string worksheetResultLine(int line, std::string caption) noexcept;

// The range line of a report from the two range captions.
std::string rangeLine(std::string_view fromCaption, std::string_view toCaption) noexcept;

// Every block one after the other, each line ending in LF.
std::string figuresText(const std::vector<FileFigures>& files) noexcept;

}  // namespace pyramid
