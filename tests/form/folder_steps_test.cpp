// Through the years on the in-memory form: Japan in 1935, 1975 and 2020 in
// one folder, stepped through on the folder's common scale.
#include "app/pyramid_form.h"
#include "core/palette.h"
#include "data/temp_files.h"
#include "support/library_files.h"
#include "support/memory_form.h"
#include "support/sample_figures.h"
#include "support/scripted_prompt.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <numeric>

using namespace pyramid;
using namespace pyramid::testing;

namespace {

const char* const kYears[] = {"1935 全国.txt", "1975 全国.txt", "2020 全国.txt"};

class ThroughTheYears : public ::testing::Test {
protected:
    ThroughTheYears()
    {
        for (const char* name : kYears) {
            std::filesystem::copy_file(library::file(library::kNational, name), folder.path(name));
            figures.push_back(readSampleFigures(folder.path(name)));
            largest = std::max(largest, figures.back().largest);
        }
        handlers.Form_Load();
        form.fileListPath = folder.dir().string();
    }
    void choose(const char* name) { form.selectedFile = name, handlers.File1_Click(), handlers.Command1_Click(); }
    void report(const char* from, const char* to)
    {
        handlers.Command3_Click();
        form.ageBoxes = {from, to};
        handlers.Text1_KeyPress(1, kEnterKey);
    }
    // Where the male bar of age 0 ends: the first line along its row.
    float ageZeroMaleEnd() const
    {
        const auto& lines = form.surface.lines;
        const auto bar = std::find_if(lines.begin(), lines.end(), [](const ChartLine& l) {
            return l.y1 == 418 && l.y2 == 418 && l.x1 == 320;
        });
        return bar == lines.end() ? 0 : bar->x2;
    }
    static double sum(const std::vector<double>& counts, int from, int to)
    {
        return std::accumulate(counts.begin() + from, counts.begin() + to + 1, 0.0);
    }

    TempDir folder;
    std::vector<SampleFigures> figures;
    double largest = 0;
    MemoryForm form;
    ScriptedPrompt prompt;
    PyramidForm handlers{form, prompt};
};

}  // namespace

TEST_F(ThroughTheYears, EachStepDrawsOnTheFoldersScaleAndReportsTheRangeAgain)
{
    choose(kYears[0]);
    report("20", "40");
    for (int k : {1, 2}) {
        ASSERT_TRUE(handlers.stepFile(+1));
        const SampleFigures& f = figures[std::size_t(k)];
        EXPECT_EQ(ageZeroMaleEnd(), float(320 - f.male[0] * (250 / largest)));
        EXPECT_EQ(form.caption(Label::Label10), "20歳(" + std::to_string(k == 1 ? 1955 : 2000) + ")から");
        EXPECT_EQ(form.resultCaption(4), "男人口計=" + fifteenDigits(sum(f.male, 20, 40)));
        EXPECT_NE(handlers.chartDescription().find("目盛りはフォルダ共通"), std::string::npos);
    }
    EXPECT_FALSE(handlers.stepFile(+1));  // the last file: nothing happens
    EXPECT_EQ(form.selectedFile, kYears[2]);
    handlers.Command1_Click();  // a plain draw: the file's own scale
    EXPECT_EQ(ageZeroMaleEnd(), float(320 - figures[2].male[0] * (250 / figures[2].largest)));
    EXPECT_TRUE(prompt.asked.empty());
}

TEST_F(ThroughTheYears, AGenerationIsFollowedByItsBirthYearsAndClippedOrMissedOutside)
{
    choose(kYears[2]);
    report("71", "73");
    handlers.followGeneration(true);
    ASSERT_TRUE(handlers.stepFile(-1));  // 1975
    EXPECT_EQ(form.caption(Label::Label10), "26歳(1949)から");
    EXPECT_EQ(form.caption(Label::Label11), "28歳(1947)まで");
    EXPECT_EQ(form.resultCaption(5), "女人口計=" + fifteenDigits(sum(figures[1].female, 26, 28)));
    ASSERT_TRUE(handlers.stepFile(-1));  // 1935: not yet born
    EXPECT_EQ(form.caption(Label::Label10), "1947〜1949年生まれはこの年にはまだ生まれていません");
    EXPECT_TRUE(std::none_of(form.surface.lines.begin(), form.surface.lines.end(),
                             [](const ChartLine& l) { return l.colour == palette::Yellow; }));
    ASSERT_TRUE(handlers.stepFile(+1));  // back in 1975: followed still
    EXPECT_EQ(form.caption(Label::Label10), "26歳(1949)から");
    ASSERT_TRUE(handlers.stepFile(+1));
    // Clipped to the first class: born 1940 to 1930, in 1935 ages -5 (so 0) to 5.
    report("80", "90");
    handlers.stepFile(-1), handlers.stepFile(-1);
    EXPECT_EQ(form.caption(Label::Label10), "0歳(1935)から");
    EXPECT_EQ(form.caption(Label::Label11), "5歳(1930)まで");
    EXPECT_TRUE(prompt.asked.empty());
}

TEST_F(ThroughTheYears, AFailingFilePromptsOnceAndLeavesTheOthersScale)
{
    folder.write("1990 壊れた.txt", "1990\n1\n12,abc,5\n");
    folder.write("1980 e-Stat.csv", "\"統計名：\"\n");  // a census table, passed over without a prompt
    choose(kYears[0]);
    report("20", "40");
    handlers.stepFile(+1);
    ASSERT_TRUE(prompt.asked.empty());
    handlers.stepFile(+1);  // the broken file
    EXPECT_EQ(prompt.asked.size(), 1u);
    EXPECT_FALSE(handlers.showsChart());
    ASSERT_TRUE(handlers.stepFile(+1));
    EXPECT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(ageZeroMaleEnd(), float(320 - figures[2].male[0] * (250 / largest)));
    EXPECT_EQ(form.caption(Label::Label10), "20歳(2000)から");  // the range carried past it
    EXPECT_TRUE(handlers.hasFolderSeries());
    TempDir tables;  // a folder of census tables alone: nothing reads as a data file
    tables.write("b02_01.xlsx", std::string("PK\x03\x04", 4));
    form.fileListPath = tables.dir().string();
    EXPECT_FALSE(handlers.hasFolderSeries());
}

TEST(FolderScale, ReadsEachFileOnceUntilItChangesAndSpreadsAPageOverTheFolder)
{
    TempDir folder;
    folder.write("a.txt", "2000\n1\n5\n7\n");
    folder.write("b.txt", "2001\n1\n9\n3\n");
    folder.write("c.xlsx", std::string("PK\x03\x04", 4) + "\n99999\n");
    const std::vector<std::string> names = {"a.txt", "b.txt", "c.xlsx"};
    FolderScale scale;
    EXPECT_EQ(scale.largestCount(folder.dir().string(), names), 9);
    EXPECT_EQ(scale.largestCount(folder.dir().string(), names), 9);
    EXPECT_EQ(scale.reads(), 3);
    folder.write("a.txt", "2000\n1\n5\n11\n");
    EXPECT_EQ(scale.largestCount(folder.dir().string(), names), 11);
    EXPECT_EQ(scale.reads(), 4);
    EXPECT_EQ(scale.readable(names), (std::vector<std::string>{"a.txt", "b.txt"}));

    EXPECT_EQ(seriesChoice(3, 12), (std::vector<std::size_t>{0, 1, 2}));
    EXPECT_EQ(seriesChoice(25, 4), (std::vector<std::size_t>{0, 8, 16, 24}));
}
