#include "chart/pyramid_comparison.h"

#include "chart/pyramid_mapping.h"
#include "core/checked_math.h"
#include "core/failure.h"
#include "core/palette.h"
#include "core/utf8_text.h"

#include <algorithm>
#include <cmath>

namespace pyramid {

namespace {

constexpr double kReachOfAxes = 300;   // the axes span 300 units either side of the centre
constexpr double kLeastGridSpacing = 5;
constexpr int kMostGridLines = 60;
constexpr double kPointTolerance = 4;  // units around a bar end that still count as its row
constexpr int kLastShownClass = 105;   // age 104, the top row inside the chart
constexpr std::size_t kTitleHalfWidths = 20;

// Shares: a grid line every 0.1 % of the file's total, or every 1 %, 10 %, ...
// when those would crowd closer than a few units.
void shareGrid(PyramidScale& scale, double unitsPerShare, double drawnTotal)
{
    double step = 0.001;
    while (step * unitsPerShare < kLeastGridSpacing && step < 1e6)
        step *= 10;
    scale.gridStep = step * drawnTotal;
    scale.gridLines = int(std::min(double(kMostGridLines), std::floor(kReachOfAxes / (step * unitsPerShare))));
}

// The outline of one side: a step up each row's end, then across to the next.
void outlineSide(std::vector<OutlineLine>& out, const PopulationTable& table, int rows, double barScale,
                 bool male)
{
    const auto end = [&](int i) {
        const double count = table.at(i);
        return chartCoordinate(male ? maleBarEndX(count, barScale) : femaleBarEndX(count, barScale));
    };
    const float half = float(chart::kRowSpacing / 2);
    float x = rows >= 1 ? end(1) : float(chart::kCentreX);
    for (int i = 1; i <= rows; ++i) {
        const float y = float(rowY(i));
        const float next = i < rows ? end(i + 1) : float(chart::kCentreX);
        out.push_back({x, y + half, x, y - half});
        out.push_back({x, y - half, next, y - half});
        x = next;
    }
}

// Cuts a title to what the legend has room for.
std::string shortTitle(std::string_view title)
{
    std::string out;
    double width = 0;
    for (std::size_t i = 0; i < title.size();) {
        const std::size_t n = std::max<std::size_t>(utf8CharacterAt(title, i).length, 1);
        width += noteWidth(title.substr(i, n));
        if (width > kTitleHalfWidths * notes::kHalfWidth)
            return out + "…";
        out.append(title.substr(i, n));
        i += n;
    }
    return out;
}

// The left and right reach of row i over both files, the centre included.
// Plain arithmetic: asked outside any handler, it must not fail, and an end
// beyond the range of numbers only lies further off the chart.
std::pair<double, double> rowReach(int i, const ShownFile& drawn, const ShownFile& compared) noexcept
{
    double left = chart::kCentreX, right = chart::kCentreX;
    for (const ShownFile* file : {&drawn, &compared}) {
        if (file->data == nullptr || i < 1 || i > file->rows)
            continue;
        const double m = chart::kCentreX - file->data->MalePop.countOrZero(i) * file->barScale;
        const double f = chart::kCentreX + file->data->FemalePop.countOrZero(i) * file->barScale;
        for (double end : {m, f}) {
            if (std::isnan(end))
                continue;
            left = std::min(left, end);
            right = std::max(right, end);
        }
    }
    return {left, right};
}

}  // namespace

int chartRows(double ClassCount)
{
    if (!(ClassCount >= 1))
        return 0;
    return int(std::min(std::floor(ClassCount), double(kLastShownClass)));
}

std::string_view compareByName(CompareBy by) { return by == CompareBy::Persons ? "人数" : "構成比"; }

double noteWidth(std::string_view text) noexcept
{
    double halves = 0;
    for (std::size_t i = 0; i < text.size();) {
        const Utf8Character c = utf8CharacterAt(text, i);
        halves += c.length != 0 && c.code < 0x80 ? 1 : 2;
        i += std::max<std::size_t>(c.length, 1);
    }
    return halves * notes::kHalfWidth;
}

Comparison compareFiles(const PopulationData& drawn, const PopulationData& compared,
                        double comparedClassCount, CompareBy by)
{
    Comparison c;
    c.by = by;
    if (by == CompareBy::Persons) {
        const double common = checkedDivide(chart::kLongestBar, std::max(drawn.MaxCount, compared.MaxCount));
        c.drawnScale.barScale = common;
        c.comparedBarScale = common;
    } else {
        const double largestShare = std::max(checkedDivide(drawn.MaxCount, drawn.GrandTotal),
                                             checkedDivide(compared.MaxCount, compared.GrandTotal));
        if (!(largestShare > 0))
            throw Failure(FailureKind::DivisionByZero);
        const double unitsPerShare = checkedDivide(chart::kLongestBar, largestShare);
        c.drawnScale.barScale = checkedDivide(unitsPerShare, drawn.GrandTotal);
        c.comparedBarScale = checkedDivide(unitsPerShare, compared.GrandTotal);
        shareGrid(c.drawnScale, unitsPerShare, drawn.GrandTotal);
    }
    c.comparedRows = chartRows(comparedClassCount);
    c.outline.reserve(4 * std::size_t(c.comparedRows));
    outlineSide(c.outline, compared.MalePop, c.comparedRows, c.comparedBarScale, true);
    outlineSide(c.outline, compared.FemalePop, c.comparedRows, c.comparedBarScale, false);

    // Below the base axis, either side of the centre's "０": nothing is drawn there.
    c.legend.push_back({4, 424, "実線：" + shortTitle(drawn.TitleYear), palette::BrightWhite});
    c.legend.push_back({352, 424,
                        "輪郭：" + shortTitle(compared.TitleYear) + "　" + std::string(compareByName(by)),
                        palette::Outline});
    return c;
}

int rowUnder(double x, double y, const ShownFile& drawn, const ShownFile& compared) noexcept
{
    if (!(y >= 0 && y <= chart::kBaseRowY + chart::kRowSpacing / 2))
        return 0;
    const int i = int(std::floor((chart::kBaseRowY + chart::kRowSpacing / 2 - y) / chart::kRowSpacing)) + 1;
    if (i > std::max(drawn.rows, compared.data ? compared.rows : 0))
        return 0;
    const auto [left, right] = rowReach(i, drawn, compared);
    return x >= left - kPointTolerance && x <= right + kPointTolerance ? i : 0;
}

std::vector<ChartText> placeOnFreeCorner(const std::vector<std::string>& lines, int colour,
                                         const ShownFile& drawn, const ShownFile& compared) noexcept
{
    double width = 0;
    for (const std::string& line : lines)
        width = std::max(width, noteWidth(line));
    const double height = notes::kLineHeight * double(lines.size());
    const double corners[][2] = {{chart::kWidth - 4 - width, 22}, {4, 80}};
    const auto isFree = [&](double left, double top) {
        for (int i = 1; i <= kLastShownClass; ++i) {
            const double y = rowY(i);
            if (y + chart::kRowSpacing / 2 < top || y - chart::kRowSpacing / 2 > top + height)
                continue;
            const auto [l, r] = rowReach(i, drawn, compared);
            if (r >= left && l <= left + width)
                return false;
        }
        return true;
    };
    const auto* place = std::find_if(std::begin(corners), std::end(corners),
                                     [&](const double* c) { return isFree(c[0], c[1]); });
    if (place == std::end(corners))
        place = std::begin(corners);
    std::vector<ChartText> out;
    for (std::size_t k = 0; k < lines.size(); ++k)
        out.push_back({(*place)[0], (*place)[1] + notes::kLineHeight * double(k), lines[k], colour});
    return out;
}

}  // namespace pyramid
