#include "chart/paper_marks.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace pyramid;

namespace {
bool shows(const PaperMarks& marks, const std::string& text)
{
    return std::ranges::any_of(marks.texts, [&](const ChartText& t) { return t.text == text; });
}
}  // namespace

// A country keeps the window's grid of 100,000 persons, labelled where there
// is room; a prefecture or a ward gets 2 to 6 lines a side of paper's own;
// comparing in shares labels the window's grid in per cent.
TEST(PaperMarks, AgesDownTheSideAndTheGridValueUnderTheBaseLine)
{
    const struct {
        double maxCount, sharesOf, step;
        std::size_t paperLines;
        const char* label;
        const char* caption;
    } rows[] = {
        {1000000, 0, 100000, 0, "50万人", "目盛り線の間隔：10万人"},  // 12 lines 25 units apart
        {42000, 0, 10000, 10, "1万人", "目盛り線の間隔：1万人"},      // 5 lines a side
        {3000, 0, 1000, 6, "3000人", "目盛り線の間隔：1000人"},
        {150, 0, 50, 6, "150人", "目盛り線の間隔：50人"},
        {1000000, 5e7, 100000, 0, "1.2％", "目盛り線の間隔：0.2％"},  // a share grid of 0.2 %
    };
    for (const auto& row : rows) {
        const double barScale = 250 / row.maxCount;
        PyramidScale scale;
        if (row.sharesOf > 0)
            scale.gridStep = 0.002 * row.sharesOf, scale.gridLines = 60;
        const PaperMarks marks = paperMarks(scale, barScale, row.sharesOf);
        EXPECT_EQ(marks.grid.size(), row.paperLines) << row.maxCount;
        if (row.sharesOf == 0 && row.paperLines > 0) {
            EXPECT_EQ(roundGridStep(barScale), row.step);
        }
        EXPECT_TRUE(shows(marks, row.label) && shows(marks, row.caption)) << row.label;
        EXPECT_TRUE(shows(marks, "0歳") && shows(marks, "100歳") && !shows(marks, "110歳"));
        for (const ChartText& t : marks.texts)
            EXPECT_TRUE(t.x >= -paper::kSideMargin && t.x + noteWidth(t.text) <= 640) << t.text;
    }
    EXPECT_TRUE(paperMarks({}, 0, 0).texts.empty());  // nothing loaded: no bar scale
}
