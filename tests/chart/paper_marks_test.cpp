#include "chart/paper_marks.h"
#include "core/palette.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace pyramid;

// A country keeps the window's grid of 100,000 persons, labelled where there is room; a prefecture
// or a ward gets 2 to 6 lines a side of paper's own; comparing in shares labels the grid in per cent.
TEST(PaperMarks, AgesDownTheSideAndTheGridValueUnderTheBaseLine)
{
    const struct {
        double maxCount, sharesOf;
        std::size_t paperLines;
        const char *label, *caption;
    } rows[] = {
        {1000000, 0, 0, "50万人", "目盛り線の間隔：10万人"},  // 12 lines 25 units apart
        {42000, 0, 10, "1万人", "目盛り線の間隔：1万人"},     // 5 lines a side
        {3000, 0, 6, "3000人", "目盛り線の間隔：1000人"},
        {150, 0, 6, "150人", "目盛り線の間隔：50人"},
        {1000000, 5e7, 0, "1.2％", "目盛り線の間隔：0.2％"},  // a share grid of 0.2 %
    };
    for (const auto& row : rows) {
        const double barScale = 250 / row.maxCount;
        const PyramidScale scale{{}, row.sharesOf > 0 ? 0.002 * row.sharesOf : 1e5, 13};
        const PaperMarks marks = paperMarks(scale, barScale, row.sharesOf);
        const auto shows = [&](const std::string& text) {
            return std::ranges::any_of(marks.texts, [&](const ChartText& t) { return t.text == text; });
        };
        EXPECT_EQ(marks.grid.size(), row.paperLines) << row.maxCount;
        EXPECT_TRUE(shows(row.label) && shows(row.caption) && shows("0歳") && shows("100歳") && !shows("110歳"));
        for (const ChartText& t : marks.texts)
            EXPECT_TRUE(t.x >= -paper::kSideMargin && t.x + noteWidth(t.text) <= 640) << t.text;
    }
    EXPECT_TRUE(paperMarks({}, 0, 0).texts.empty());  // nothing loaded: no bar scale
    // Paper's lines all stand 3:1 from white, as its highlight from the ordinary rows (worksheet_tests).
    for (int n : {palette::LightGreen, palette::LightCyan, palette::LightRed, palette::LightMagenta, palette::Outline})
        EXPECT_GE(contrastRatio(inkColour(n, ChartInk::Paper), groundColour(ChartInk::Paper)), 3) << n;
}
