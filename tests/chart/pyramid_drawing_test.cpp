#include "chart/pyramid_drawing.h"
#include "core/palette.h"
#include "support/memory_form.h"
#include "support/population_builder.h"
#include "support/scripted_prompt.h"

#include <gtest/gtest.h>

using namespace pyramid;
using namespace pyramid::testing;

namespace {

std::vector<ChartLine> drawn(const PopulationData& data, double ClassCount, MemoryForm& form,
                             ScriptedPrompt& prompt)
{
    runHandler(prompt, [&](StatementRunner& run) { drawPyramid(run, form, data, ClassCount); });
    return form.surface.lines;
}

constexpr int kAxisLines = 6;
constexpr int kGridLines = 26;

}  // namespace

TEST(PyramidDrawing, AxesGridThenThreeLinesPerClassInOrder)
{
    // MaxCount 1,000,000: BarScale 0.00025, grid lines 25 units apart.
    const PopulationData data = makePopulation({1000000, 400000}, {600000, 400000});
    MemoryForm form;
    form.visible[Button::Command3] = false;
    ScriptedPrompt prompt;
    const auto lines = drawn(data, 2, form, prompt);

    ASSERT_EQ(lines.size(), std::size_t(kAxisLines + kGridLines + 2 * 3));
    const std::vector<ChartLine> axes = {
        {20, 420, 620, 420, 15}, {20, 421, 620, 421, 15}, {20, 422, 620, 422, 15},
        {320, 20, 320, 420, 15}, {319, 20, 319, 420, 15}, {321, 20, 321, 420, 15},
    };
    EXPECT_EQ(std::vector<ChartLine>(lines.begin(), lines.begin() + kAxisLines), axes);

    for (int k = 1; k <= 13; ++k) {
        const ChartLine& male = lines[kAxisLines + 2 * (k - 1)];
        const ChartLine& female = lines[kAxisLines + 2 * (k - 1) + 1];
        const int colour = k == 10 ? palette::LightMagenta : palette::LightCyan;
        EXPECT_EQ(male, (ChartLine{float(320 - 25 * k), 420, float(320 - 25 * k), 20, colour})) << k;
        EXPECT_EQ(female, (ChartLine{float(320 + 25 * k), 420, float(320 + 25 * k), 20, colour})) << k;
    }
    // The tenth grid pair meets the end of the longest bar; the thirteenth lies outside.
    EXPECT_EQ(lines[kAxisLines + 18].x1, 70);
    EXPECT_EQ(lines[kAxisLines + 19].x1, 570);
    EXPECT_EQ(lines[kAxisLines + 24].x1, -5);
    EXPECT_EQ(lines[kAxisLines + 25].x1, 645);

    const std::vector<ChartLine> bars(lines.begin() + kAxisLines + kGridLines, lines.end());
    const std::vector<ChartLine> expected = {
        // Age 0, a decade row: male 1,000,000, female 600,000, male surplus to the left.
        {320, 418, 70, 418, palette::LightRed},
        {320, 418, 470, 418, palette::LightRed},
        {320, 418, 220, 418, palette::LightGreen},
        // Age 1: equal counts, the difference line is a single point.
        {320, 414, 220, 414, palette::BrightWhite},
        {320, 414, 420, 414, palette::BrightWhite},
        {320, 414, 320, 414, palette::LightGreen},
    };
    EXPECT_EQ(bars, expected);

    EXPECT_TRUE(form.visible[Button::Command3]);
    EXPECT_EQ(form.focus, "Command3");
    EXPECT_TRUE(prompt.asked.empty());
}

TEST(PyramidDrawing, DecadeRowsOfAHundredAndOneClasses)
{
    std::vector<double> counts(101, 1000);
    const PopulationData data = makePopulation(counts, counts);
    MemoryForm form;
    ScriptedPrompt prompt;
    const auto lines = drawn(data, 101, form, prompt);
    ASSERT_EQ(lines.size(), std::size_t(kAxisLines + kGridLines + 101 * 3));
    for (int i = 1; i <= 101; ++i) {
        const ChartLine& male = lines[kAxisLines + kGridLines + 3 * (i - 1)];
        EXPECT_EQ(male.y1, 418 - 4 * (i - 1));
        EXPECT_EQ(male.colour, (i - 1) % 10 == 0 ? palette::LightRed : palette::BrightWhite) << i;
    }
    // MaxCount below 78,125: every grid line lies outside the surface.
    for (int g = 0; g < kGridLines; ++g) {
        const float x = lines[kAxisLines + g].x1;
        EXPECT_TRUE(x < 0 || x > 640) << x;
    }
}

TEST(PyramidDrawing, RowWithoutWomenIsCoveredByTheDifferenceLine)
{
    const PopulationData data = makePopulation({500}, {0});
    MemoryForm form;
    ScriptedPrompt prompt;
    const auto lines = drawn(data, 1, form, prompt);
    const ChartLine& male = lines[lines.size() - 3];
    const ChartLine& difference = lines.back();
    EXPECT_EQ(difference.x2, male.x2);
    EXPECT_EQ(difference.colour, palette::LightGreen);
}

TEST(PyramidDrawing, HalfClassCountDrawsNoBarsButRevealsTheAnalysis)
{
    PopulationData data = makePopulation({}, {});
    data.MaxCount = 300000;
    MemoryForm form;
    form.visible[Button::Command3] = false;
    ScriptedPrompt prompt;
    const auto lines = drawn(data, 0.5, form, prompt);
    EXPECT_EQ(lines.size(), std::size_t(kAxisLines + kGridLines));
    EXPECT_TRUE(form.visible[Button::Command3]);
    EXPECT_EQ(form.focus, "Command3");
}

TEST(PyramidDrawing, ZeroMaxCountStopsAfterTheAxes)
{
    const PopulationData data = makePopulation({0, -5}, {0, 0});
    MemoryForm form;
    form.visible[Button::Command3] = false;
    ScriptedPrompt prompt;
    prompt.answer({true});  // Yes once: the same division fails again
    const auto lines = drawn(data, 2, form, prompt);
    EXPECT_EQ(lines.size(), std::size_t(kAxisLines));
    ASSERT_EQ(prompt.asked.size(), 2u);
    EXPECT_EQ(prompt.asked[1].message, "0 で除算しました。\r\n\r\n対処し継続しますか？");
    EXPECT_FALSE(form.visible[Button::Command3]);
}

TEST(PyramidDrawing, AbsurdlySmallMaxCountOverflowsInsteadOfDrawingInfinity)
{
    const PopulationData data = makePopulation({1e-300}, {1e-300});
    MemoryForm form;
    ScriptedPrompt prompt;
    const auto lines = drawn(data, 1, form, prompt);
    // The first grid line is 1e5 * 2.5e302 units away: beyond single precision.
    EXPECT_EQ(lines.size(), std::size_t(kAxisLines));
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_NE(prompt.asked[0].message.find("オーバーフロー"), std::string::npos);
}
