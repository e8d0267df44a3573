#include "core/palette.h"

#include <gtest/gtest.h>

using namespace pyramid;

// On paper every line stands out from white, and a highlighted row from an
// ordinary one, decade rows included, also in a greyscale copy.
TEST(Palette, PaperLinesStandOutFromWhiteAndHighlightsFromOrdinaryRows)
{
    const Rgb white = groundColour(ChartInk::Paper);
    for (int n : {palette::LightGreen, palette::LightCyan, palette::LightRed, palette::LightMagenta,
                  palette::Yellow, palette::BrightWhite, palette::Outline})
        EXPECT_GE(contrastRatio(inkColour(n, ChartInk::Paper), white), 3) << n;
    for (int lit : {palette::Yellow, palette::LightMagenta})
        for (int plain : {palette::BrightWhite, palette::LightRed})
            EXPECT_GE(contrastRatio(inkColour(lit, ChartInk::Paper), inkColour(plain, ChartInk::Paper)), 3);
    EXPECT_EQ(inkColour(palette::Yellow, ChartInk::Screen), (Rgb{255, 255, 0}));
    EXPECT_DOUBLE_EQ(contrastRatio(design::Black, design::White), 21);
}
