#include "analysis/analysis_setup.h"
#include "core/palette.h"
#include "support/memory_form.h"
#include "support/population_builder.h"
#include "support/scripted_prompt.h"

#include <gtest/gtest.h>

using namespace pyramid;
using namespace pyramid::testing;

namespace {

class AnalysisSetup : public ::testing::Test {
protected:
    AnalysisSetup()
    {
        std::vector<double> male, female;
        for (int i = 1; i <= 101; ++i) {
            male.push_back(10000 + 100 * i);
            female.push_back(20000 - 100 * i);
        }
        data = makePopulation(male, female);
        for (int k = 0; k < kResultLineCount; ++k)
            form.results[k] = "old";
        form.captions[Label::Label9] = "何歳まで＝";
    }

    void click(const std::string& from, const std::string& to)
    {
        form.ageBoxes = {from, to};
        runHandler(prompt, [&](StatementRunner& run) { setUpAnalysis(run, form, data); });
    }

    const std::vector<ChartLine>& lines() const { return form.surface.lines; }

    PopulationData data;
    MemoryForm form;
    ScriptedPrompt prompt;
};

}  // namespace

TEST_F(AnalysisSetup, OpensANewEntry)
{
    click("20", "40");
    EXPECT_EQ(form.caption(Label::Label7), "構成比の分析：");
    EXPECT_EQ(form.caption(Label::Label8), "何歳から＝");
    EXPECT_EQ(form.caption(Label::Label9), "何歳まで＝");  // left as it was
    EXPECT_EQ(form.ageBoxes[0], "");
    EXPECT_EQ(form.ageBoxes[1], "");
    for (int k = 0; k < kResultLineCount; ++k)
        EXPECT_EQ(form.results[k], "") << k;
    EXPECT_EQ(form.focus, "Text1(0)");
    EXPECT_TRUE(prompt.asked.empty());
}

TEST_F(AnalysisSetup, RepaintsTheRangeStillInTheBoxesInPyramidColours)
{
    click("30", "20");  // reversed: ages 20..30, eleven classes
    ASSERT_EQ(lines().size(), 11u * 3);
    for (int n = 0; n < 11; ++n) {
        const double age = 20 + n;
        const double scale = 250 / data.MaxCount;
        const double male = 10000 + 100 * (age + 1);
        const double female = 20000 - 100 * (age + 1);
        const float y = float(418 - 4 * age);
        const int colour = int(age) % 10 == 0 ? palette::LightRed : palette::BrightWhite;
        EXPECT_EQ(lines()[3 * n], (ChartLine{320, y, float(320 - male * scale), y, colour}));
        EXPECT_EQ(lines()[3 * n + 1], (ChartLine{320, y, float(320 + female * scale), y, colour}));
        EXPECT_EQ(lines()[3 * n + 2],
                  (ChartLine{320, y, float(320 + (female - male) * scale), y, palette::LightGreen}));
    }
    EXPECT_EQ(lines().front().y1, 338);
    EXPECT_EQ(lines().back().y1, 298);
}

TEST_F(AnalysisSetup, EmptyOrTextualBoxesRepaintTheAgeZeroRowOnly)
{
    for (auto [from, to] : {std::pair{"", ""}, std::pair{"abc", "歳"}}) {
        form.surface.lines.clear();
        click(from, to);
        ASSERT_EQ(lines().size(), 3u);
        EXPECT_EQ(lines()[0].y1, 418);
        EXPECT_EQ(lines()[0].colour, palette::LightRed);
    }
}

TEST_F(AnalysisSetup, FractionalAgesUseHalfToEvenSlotsAndOrdinaryColour)
{
    click("2.5", "5");
    ASSERT_EQ(lines().size(), 9u);
    const double scale = 250 / data.MaxCount;
    const double slots[] = {4, 4, 6};
    const float ys[] = {408, 404, 400};
    for (int n = 0; n < 3; ++n) {
        EXPECT_EQ(lines()[3 * n].y1, ys[n]);
        EXPECT_EQ(lines()[3 * n].colour, palette::BrightWhite);
        EXPECT_EQ(lines()[3 * n].x2, float(320 - (10000 + 100 * slots[n]) * scale));
    }
}

TEST_F(AnalysisSetup, SlotZeroAndEmptySlotsDrawZeroLengthBars)
{
    click("-1", "0");
    ASSERT_EQ(lines().size(), 6u);
    EXPECT_EQ(lines()[0], (ChartLine{320, 422, 320, 422, palette::BrightWhite}));
    EXPECT_EQ(lines()[2], (ChartLine{320, 422, 320, 422, palette::LightGreen}));

    form.surface.lines.clear();
    click("150", "199");  // past the data, within the tables
    EXPECT_EQ(lines().size(), 50u * 3);
    for (const ChartLine& l : lines())
        EXPECT_EQ(l.x1, l.x2);
    EXPECT_TRUE(prompt.asked.empty());
}

TEST_F(AnalysisSetup, PastTheTablesFailsAtSlot201AfterRepaintingTheRest)
{
    prompt.answer({true});  // Yes: the same class fails again; then No
    click("150", "250");
    EXPECT_EQ(lines().size(), 50u * 3);  // classes 151..200
    ASSERT_EQ(prompt.asked.size(), 2u);
    EXPECT_NE(prompt.asked[0].message.find("インデックスが有効範囲にありません。\r\n250歳は"), std::string::npos);
    // No left the handler: nothing after the loop ran.
    EXPECT_EQ(form.caption(Label::Label7), "");
    EXPECT_EQ(form.ageBoxes[0], "150");
    EXPECT_EQ(form.results[0], "old");
}

TEST_F(AnalysisSetup, BelowTheTablesFailsAtTheFirstClass)
{
    click("-2", "3");
    EXPECT_TRUE(lines().empty());
    EXPECT_EQ(prompt.asked.size(), 1u);
}

TEST_F(AnalysisSetup, BeforeAnyLoadTheFirstLookupFails)
{
    data = PopulationData{};
    data.MaxCount = 1;  // only the tables are missing
    click("", "");
    EXPECT_TRUE(lines().empty());
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_NE(prompt.asked[0].message.find("インデックス"), std::string::npos);
}
