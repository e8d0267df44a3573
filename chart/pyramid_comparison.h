#pragma once
// A second file laid over the drawn pyramid: both on one common scale, in
// persons or in shares of each file's own total, the drawn file as its bars
// and the compared one as an outline along its own bar ends.

#include "chart/pyramid_drawing.h"
#include "core/chart_text.h"
#include "data/population.h"

#include <string>
#include <string_view>
#include <vector>

namespace pyramid {

enum class CompareBy { Persons, Shares };

// Texts on the chart: each line takes this many units down, each half-width
// character at most this many across (a full-width one twice as many).
namespace notes {
inline constexpr double kLineHeight = 16;
inline constexpr double kFontHeight = 14;
inline constexpr double kHalfWidth = 8;
}  // namespace notes

struct OutlineLine {
    float x1, y1, x2, y2;
    friend bool operator==(const OutlineLine&, const OutlineLine&) = default;
};

struct Comparison {
    CompareBy by = CompareBy::Persons;
    PyramidScale drawnScale;       // the drawn file's bars and grid
    double comparedBarScale = 0;   // chart units per person of the compared file
    int comparedRows = 0;          // rows of the compared file on the chart
    std::vector<OutlineLine> outline;  // in palette::Outline
    std::vector<ChartText> legend;
};

// The comparison of `compared` (with its ClassCount) over `drawn`. Fails with
// DivisionByZero when no common scale can be formed (no count above 0, or a
// file's total is 0 when comparing shares), with Overflow when an outline
// point lies beyond single precision.
Comparison compareFiles(const PopulationData& drawn, const PopulationData& compared,
                        double comparedClassCount, CompareBy by);

// The rows of a file the chart can show: its whole classes, up to age 104.
int chartRows(double ClassCount);

// One file as the chart shows it, for finding what lies where.
struct ShownFile {
    const PopulationData* data = nullptr;
    int rows = 0;           // classes 1..rows
    double barScale = 0;    // chart units per person
};

// The class whose row lies under (x, y) in user units, where the bars or the
// outline of a shown file reach, give or take a few units; 0 off the rows.
// Never fails, as nothing the window asks outside a handler may.
int rowUnder(double x, double y, const ShownFile& drawn, const ShownFile& compared) noexcept;

// Lines of text placed in the first corner of the chart that no bar, outline
// or range line covers (top right, then top left below the range lines),
// top right when none is free. Never fails.
std::vector<ChartText> placeOnFreeCorner(const std::vector<std::string>& lines, int colour,
                                         const ShownFile& drawn, const ShownFile& compared) noexcept;

// How wide a text is at most on the chart, in user units.
double noteWidth(std::string_view text) noexcept;

// "人数" or "構成比": the way of comparing as the legend names it.
std::string_view compareByName(CompareBy by);

}  // namespace pyramid
