#pragma once
// What the analysis tells of a compared file: its four figures for the
// reported range, in the forms of the result lines, and a row's reading for
// the chart's tooltip.

#include "analysis/age_range.h"
#include "data/population.h"

#include <string>
#include <vector>

namespace pyramid {

// The compared file's share of the total, of men, of women and its male /
// female ratio over the classes of `range` (FromAge <= ToAge), each as the
// result line would show it; kNoNumber after the literal where a divisor is
// 0 or a sum fails. Summed as the report sums; never fails.
std::vector<std::string> comparedFigures(const PopulationData& compared, const AgeRange& range) noexcept;

// The figures' heading: "輪郭：" and the compared file's title.
std::string comparedHeading(const PopulationData& compared);

// One row read aloud: "45歳（1975年生まれ）　男 906,012人（0.72％）　女 893,001人（0.71％）",
// each count as a share of the file's whole population; a class past the
// file's `rows` has no figures; an open top class reads
// "100歳以上（1920年以前生まれ）". Whatever the desktop's locale, the point is
// a full stop; a share with no value shows kNoNumber. Never fails.
std::string rowReading(const PopulationData& data, int rows, int classIndex) noexcept;

// Whether class `classIndex` of a file of `rows` classes holds everyone of
// its age and over: the last class of a file of exactly 101 classes, which
// the census tables and the library close with "100歳以上".
bool isOpenTopClass(int classIndex, int rows) noexcept;

// A count with its whole digits grouped by threes ("1,234,567.5").
std::string groupedCount(double count) noexcept;

}  // namespace pyramid
