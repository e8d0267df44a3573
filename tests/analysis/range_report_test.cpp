#include "analysis/range_report.h"
#include "core/number_text.h"
#include "core/palette.h"
#include "support/memory_form.h"
#include "support/population_builder.h"
#include "support/scripted_prompt.h"

#include <gtest/gtest.h>

using namespace pyramid;
using namespace pyramid::testing;

namespace {

class RangeReport : public ::testing::Test {
protected:
    RangeReport()
    {
        for (int i = 1; i <= 101; ++i) {
            male.push_back(5000 + 37 * i);
            female.push_back(6000 - 11 * i);
        }
        data = makePopulation(male, female, "1995", 4);
    }

    void enter(int box) { press(box, kEnterKey); }
    void press(int box, int key)
    {
        runHandler(prompt, [&](StatementRunner& run) { ageBoxKeyPress(run, form, data, box, key); });
    }
    void report(const std::string& from, const std::string& to)
    {
        form.ageBoxes = {from, to};
        enter(1);
    }

    // Sums of the test's own lists over the ages a..b (classes a+1..b+1).
    double maleSum(int a, int b) const
    {
        double s = 0;
        for (int age = a; age <= b; ++age)
            s += age >= 0 && age < int(male.size()) ? male[age] : 0;
        return s;
    }
    double femaleSum(int a, int b) const
    {
        double s = 0;
        for (int age = a; age <= b; ++age)
            s += age >= 0 && age < int(female.size()) ? female[age] : 0;
        return s;
    }

    std::vector<double> male, female;
    PopulationData data;
    MemoryForm form;
    ScriptedPrompt prompt;
};

}  // namespace

TEST_F(RangeReport, OnlyEnterActs)
{
    form.ageBoxes = {"20", "40"};
    for (int key : {int('2'), 10, 27, 8})
        press(1, key);
    press(0, 'a');
    EXPECT_EQ(form.caption(Label::Label9), "");
    EXPECT_EQ(form.caption(Label::Label10), "");
    EXPECT_TRUE(form.surface.lines.empty());
    EXPECT_EQ(form.focus, "");
}

TEST_F(RangeReport, EnterInTheFirstBoxMovesToTheSecond)
{
    enter(0);  // also with the box empty
    EXPECT_EQ(form.caption(Label::Label9), "何歳まで＝");
    EXPECT_EQ(form.focus, "Text1(1)");
    EXPECT_EQ(form.caption(Label::Label10), "");
    EXPECT_TRUE(form.surface.lines.empty());
}

TEST_F(RangeReport, TwentyToFortyIn1995)
{
    report("20", "40");
    EXPECT_EQ(form.caption(Label::Label10), "20歳(1975)から");
    EXPECT_EQ(form.caption(Label::Label11), "40歳(1955)まで");

    const double m = maleSum(20, 40), f = femaleSum(20, 40);
    const double grand = maleSum(0, 100) + femaleSum(0, 100);
    EXPECT_EQ(form.results[0], "総人口比=" + generalText((m + f) / grand));
    EXPECT_EQ(form.results[1], "男人口比=" + generalText(m / maleSum(0, 100)));
    EXPECT_EQ(form.results[2], "女人口比=" + generalText(f / femaleSum(0, 100)));
    EXPECT_EQ(form.results[3], "男／女比=" + generalText(m / f));
    EXPECT_EQ(form.results[4], "男人口計=" + generalText(m));
    EXPECT_EQ(form.results[5], "女人口計=" + generalText(f));
    EXPECT_EQ(form.results[6], "総人口　=" + generalText(grand));
    EXPECT_EQ(form.results[7], "地域加重=" + generalText(grand / 4));
    EXPECT_EQ(form.focus, "Command2");

    // Classes 21..41 highlighted: decade rows in 13, others in 14, differences in 10.
    const auto& lines = form.surface.lines;
    ASSERT_EQ(lines.size(), 21u * 3);
    for (int n = 0; n < 21; ++n) {
        const int age = 20 + n;
        const int band = age % 10 == 0 ? palette::LightMagenta : palette::Yellow;
        EXPECT_EQ(lines[3 * n].y1, float(418 - 4 * age));
        EXPECT_EQ(lines[3 * n].colour, band);
        EXPECT_EQ(lines[3 * n + 1].colour, band);
        EXPECT_EQ(lines[3 * n + 2].colour, palette::LightGreen);
        EXPECT_EQ(lines[3 * n].x2, float(320 - male[age] * (250 / data.MaxCount)));
    }
    EXPECT_TRUE(prompt.asked.empty());
}

TEST_F(RangeReport, ReversedRangeKeepsTheTypedOrderInTheLines)
{
    report("40", "20");
    EXPECT_EQ(form.caption(Label::Label10), "40歳(1955)から");
    EXPECT_EQ(form.caption(Label::Label11), "20歳(1975)まで");
    EXPECT_EQ(form.results[4], "男人口計=" + generalText(maleSum(20, 40)));
    EXPECT_EQ(form.surface.lines.front().y1, 418 - 4 * 20);
    EXPECT_EQ(form.ageBoxes[0], "40");  // the boxes are not swapped
}

TEST_F(RangeReport, SingleAgeAndEmptyBoxes)
{
    report("30", "30");
    EXPECT_EQ(form.surface.lines.size(), 3u);
    EXPECT_EQ(form.results[4], "男人口計=" + generalText(male[30]));

    form.surface.lines.clear();
    report("", "");
    EXPECT_EQ(form.caption(Label::Label10), "歳(1995)から");
    EXPECT_EQ(form.caption(Label::Label11), "歳(1995)まで");
    EXPECT_EQ(form.results[5], "女人口計=" + generalText(female[0]));
    EXPECT_EQ(form.surface.lines.size(), 3u);
}

TEST_F(RangeReport, TypedTextIsShownAsTyped)
{
    report("20歳", "40");
    EXPECT_EQ(form.caption(Label::Label10), "20歳歳(1975)から");
    EXPECT_EQ(form.results[4], "男人口計=" + generalText(maleSum(20, 40)));

    // Full-width digits from the input method give the same report.
    const auto ascii = form.results;
    const auto asciiLines = form.surface.lines;
    form.surface.lines.clear();
    report("２０", "４０");
    EXPECT_EQ(form.caption(Label::Label10), "２０歳(1975)から");
    EXPECT_EQ(form.caption(Label::Label11), "４０歳(1955)まで");
    EXPECT_EQ(form.results, ascii);
    EXPECT_EQ(form.surface.lines, asciiLines);
}

TEST_F(RangeReport, BirthYearFromTheLastFourCharactersOfTheTitle)
{
    data.TitleYear = "東京都 2020";
    report("20", "20");
    EXPECT_EQ(form.caption(Label::Label10), "20歳(2000)から");

    data.TitleYear = "令和２年 ２０２０";
    report("20", "20");
    EXPECT_EQ(form.caption(Label::Label10), "20歳(2000)から");

    data.TitleYear = "令和二年";
    report("20", "20");
    EXPECT_EQ(form.caption(Label::Label10), "20歳(20)から");  // minus sign dropped

    EXPECT_EQ(surveyYear("95"), 95);
    EXPECT_EQ(birthText(1995, 2.5), "1992.5");
    EXPECT_EQ(birthText(1995, 1995.5), ".5");
}

TEST_F(RangeReport, FractionalRangeCountsSlot22Twice)
{
    for (const char* from : {"20.5", "２０．５"}) {
        form.surface.lines.clear();
        report(from, "22");
        EXPECT_EQ(form.results[4], "男人口計=" + generalText(2 * male[21])) << from;
        const auto& lines = form.surface.lines;
        ASSERT_EQ(lines.size(), 6u);
        EXPECT_EQ(lines[0].y1, 336);  // i = 21.5
        EXPECT_EQ(lines[3].y1, 332);  // i = 22.5
        EXPECT_EQ(lines[0].colour, palette::Yellow);
        EXPECT_EQ(lines[3].colour, palette::Yellow);
    }
}

TEST_F(RangeReport, FromMinusOneIncludesTheEmptySlotZero)
{
    for (const char* from : {"-1", "－１"}) {
        form.surface.lines.clear();
        report(from, "0");
        EXPECT_EQ(form.results[4], "男人口計=" + generalText(male[0])) << from;
        EXPECT_EQ(form.surface.lines[0], (ChartLine{320, 422, 320, 422, palette::Yellow}));
    }
}

TEST_F(RangeReport, PastTheTablesFailsBeforeDrawingOrReporting)
{
    for (int k = 0; k < kResultLineCount; ++k)
        form.results[k] = "old";
    report("150", "250");
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].message, "インデックスが有効範囲にありません。\r\n"
                                       "250歳は、このプログラムで扱える年齢（0〜199歳）の範囲外です。"
                                       "このファイルの年齢は0〜100歳です。\r\n\r\n対処し継続しますか？");
    EXPECT_EQ(form.caption(Label::Label10), "150歳(1845)から");  // the lines are already written
    EXPECT_TRUE(form.surface.lines.empty());
    EXPECT_EQ(form.results[0], "old");
    EXPECT_NE(form.focus, "Command2");
    report("10", "-5");  // below the tables, the from-age after the exchange is named
    EXPECT_NE(prompt.asked.at(1).message.find("\n-5歳は"), std::string::npos) << prompt.asked[1].message;
}

TEST_F(RangeReport, ARangeWithoutWomenStopsAtTheRatioLine)
{
    for (int k = 0; k < kResultLineCount; ++k)
        form.results[k] = "old";
    prompt.answer({true});  // Yes fails again at the same line
    report("120", "130");
    ASSERT_EQ(prompt.asked.size(), 2u);
    EXPECT_EQ(prompt.asked[1].message, "0 で除算しました。\r\n\r\n対処し継続しますか？");
    EXPECT_EQ(form.results[0], "総人口比=0");
    EXPECT_EQ(form.results[2], "女人口比=0");
    for (int k = 3; k < kResultLineCount; ++k)
        EXPECT_EQ(form.results[k], "old") << k;
    EXPECT_EQ(form.surface.lines.size(), 11u * 3);  // drawn before the results
}

TEST_F(RangeReport, ZeroByZeroIsAFailureNotNaN)
{
    data = makePopulation({0, 5}, {0, 5});
    report("0", "0");
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(form.results[3], "");  // 0/0 at 男／女比= never shows
    EXPECT_EQ(form.results[2], "女人口比=0");
}

TEST_F(RangeReport, BeforeAnyLoadTheLinesAreWrittenThenTheSumFails)
{
    data = PopulationData{};
    report("20", "40");
    EXPECT_EQ(form.caption(Label::Label10), "20歳(20)から");
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_TRUE(form.surface.lines.empty());
}

TEST_F(RangeReport, ASecondReportLeavesTheFirstHighlight)
{
    report("20", "22");
    report("50", "51");
    EXPECT_EQ(form.surface.lines.size(), 5u * 3);
    EXPECT_EQ(form.surface.lines.front().y1, 418 - 4 * 20);
}

TEST_F(RangeReport, QuarterAndThirdShowAsPlainQuotients)
{
    data = makePopulation({100, 100}, {100, 100}, "2000", 3);
    report("0", "0");
    EXPECT_EQ(form.results[0], "総人口比=0.5");
    EXPECT_EQ(form.results[3], "男／女比=1");
    EXPECT_EQ(form.results[7], "地域加重=133.333333333333");
    data = makePopulation({100, 200, 100}, {100, 100, 200}, "2000", 1);
    report("0", "0");
    EXPECT_EQ(form.results[0], "総人口比=0.25");
}
