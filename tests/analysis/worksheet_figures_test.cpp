#include "analysis/worksheet_figures.h"
#include "support/population_builder.h"

#include <gtest/gtest.h>

using namespace pyramid;
using namespace pyramid::testing;

// Ages 14, 15, 64 and 65 fall on either side of the groups' bounds; a file of
// a few ages has no working age, so its dependency ratio has no value; a
// title with a line break stays on its line.
TEST(WorksheetFigures, AgeGroupsSplitAt15And65AndAZeroDivisorShowsADash)
{
    std::vector<double> male(101, 0), female(101, 0);
    male[14] = 1, female[15] = 2, male[64] = 4, female[65] = 8, female[100] = 16;  // ages
    const AgeGroups groups = ageGroupsOf(makePopulation(male, female, "令和２年 2020"));
    EXPECT_EQ(groups.young, 1);
    EXPECT_EQ(groups.working, 6);
    EXPECT_EQ(groups.old, 24);

    const FileFigures few = fileFigures("/d/few.txt", makePopulation({3, 1}, {0, 0}, "19\r\n95"));
    EXPECT_EQ(figuresText({few}), "19  95年  人口ピラミッド\n"
                                  "ファイル=/d/few.txt\n"
                                  "年少人口(0～14歳)=4 割合=1（100.0％）\n"
                                  "生産年齢人口(15～64歳)=0 割合=0（0.0％）\n"
                                  "老年人口(65歳以上)=0 割合=0（0.0％）\n"
                                  "高齢化率=0.0％\n"
                                  "従属人口指数=―\n");
    EXPECT_EQ(ageGroupsOf(PopulationData{}).young, 0);  // no tables before the first load
}

// Shares gain a per cent, the ratio the sex ratio; a dash, a caption emptied
// by a failure, a total and a caption that is not all number stay as they are.
TEST(WorksheetFigures, ResultLinesGainTheirPerCentAndTheSexRatio)
{
    const char* rows[][3] = {{"2", "女人口比=1E-05", "（0.0％）"}, {"3", "男／女比=0.9549", "（人口性比 95.5）"},
                             {"3", "男／女比=―", ""}, {"1", "", ""}, {"4", "男人口計=5", ""}, {"0", "総人口比=0.2x", ""}};
    for (const auto& row : rows)
        EXPECT_EQ(worksheetResultLine(std::stoi(row[0]), row[1]), std::string(row[1]) + row[2]);
}
