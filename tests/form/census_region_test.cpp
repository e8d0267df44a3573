// A region of a census table on the in-memory form: asked for, drawn as a
// data file, analysed, compared and saved; the real Table 2-1 of 2020.
#include "app/pyramid_form.h"
#include "support/memory_form.h"
#include "support/scripted_prompt.h"
#include "support/scripted_region_question.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace pyramid;
using namespace pyramid::testing;

namespace {

std::string tableFile(const std::string& name)
{
    const std::string fixture = std::string(PYRAMID_SAMPLES_DIR) + "/estat/" + name;
    return std::filesystem::exists(fixture) ? fixture : std::string(PYRAMID_SAMPLES_DIR) + "/../../../shared/estat/" + name;
}

class TableRegion : public ::testing::Test {
protected:
    TableRegion() { handlers.setRegionQuestion(question); }

    void draw(const std::string& path)
    {
        form.captions[Label::Label1] = path;
        handlers.Command1_Click();
    }
    void report(const char* from, const char* to)
    {
        handlers.Command3_Click();
        form.ageBoxes = {from, to};
        handlers.Text1_KeyPress(0, kEnterKey);
        handlers.Text1_KeyPress(1, kEnterKey);
    }

    const std::string table = tableFile("b02_01.xlsx");
    MemoryForm form;
    ScriptedPrompt prompt;
    ScriptedRegionQuestion question;
    PyramidForm handlers{form, prompt};
};

}  // namespace

TEST_F(TableRegion, CancellingOrAnUnusableTableLeavesTheChartAsItWas)
{
    draw(std::string(PYRAMID_SAMPLES_DIR) + "/japan-2020.txt");
    const auto lines = form.surface.lines;
    const std::string title = form.captions.at(Label::Label2);
    draw(table);  // Escape in the chooser
    EXPECT_EQ(question.asked, 1);
    question.answer(ScriptedRegionQuestion::Typed{""});
    draw(tableFile("FEH_00200521_260127162349.csv"));  // both sexes together: No at the prompt
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_NE(prompt.asked[0].message.find("男女別"), std::string::npos);
    EXPECT_EQ(form.surface.lines, lines);
    EXPECT_EQ(form.captions.at(Label::Label2), title);
    EXPECT_EQ(handlers.chartDescription().find("年齢不詳"), std::string::npos);
    EXPECT_FALSE(handlers.showsRegion());
}

// 札幌 typed, Enter: the first line left is 01100 札幌市. Its report, saved
// and opened again as a data file, is the same chart and the same figures.
TEST_F(TableRegion, SapporoIsDrawnWithItsAreaAndSavedAsTheSameChart)
{
    question.answer(ScriptedRegionQuestion::Typed{"札幌"});
    draw(table);
    ASSERT_TRUE(prompt.asked.empty());
    EXPECT_EQ(form.captions.at(Label::Label1), table);
    EXPECT_EQ(form.captions.at(Label::Label2), "札幌市 2020年  人口ピラミッド ");
    EXPECT_EQ(handlers.data().RegionWeight, regionArea("01100"));
    EXPECT_GT(handlers.data().RegionWeight, 1);
    EXPECT_NE(handlers.chartDescription().find("。年齢不詳の "), std::string::npos);
    EXPECT_EQ(handlers.regionFileName(), "01100 札幌市 2020.txt");
    const auto drawn = form.surface.lines;
    report("20", "40");
    const std::vector<FileFigures> figures = handlers.worksheetFigures();
    EXPECT_EQ(figures.at(0).path, "ファイル=" + table + "（01100 札幌市）");
    const auto results = form.results;

    const std::string saved = ::testing::TempDir() + "/" + handlers.regionFileName();
    ASSERT_TRUE(handlers.saveRegion(saved));
    draw(saved);
    EXPECT_FALSE(handlers.showsRegion());
    EXPECT_EQ(form.surface.lines, drawn);
    report("20", "40");
    EXPECT_EQ(form.results, results);
    std::ifstream in(saved, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str().rfind("札幌市 2020\n", 0), 0u);
    EXPECT_EQ(text.str().find('\r'), std::string::npos);
    std::filesystem::remove(saved);

    EXPECT_FALSE(handlers.saveRegion(saved));  // no region drawn now
    EXPECT_EQ(prompt.asked.size(), 0u);
}

TEST_F(TableRegion, ComparedWithHokkaidoFromTheSameTableAndJapaneseOnly)
{
    question.answer(ScriptedRegionQuestion::Typed{"０１１００", true});  // full-width digits alike
    draw(table);
    EXPECT_EQ(form.captions.at(Label::Label2), "札幌市（日本人） 2020年  人口ピラミッド ");
    EXPECT_EQ(handlers.regionFileName(), "01100 札幌市（日本人） 2020.txt");
    question.answer(ScriptedRegionQuestion::Typed{"北海道"});
    handlers.compareWith(table, CompareBy::Shares);
    ASSERT_TRUE(handlers.comparing());
    const std::vector<FileFigures> figures = handlers.worksheetFigures();
    EXPECT_EQ(figures.at(1).title, "北海道 2020年  人口ピラミッド");
    EXPECT_EQ(figures.at(1).path, "ファイル=" + table + "（01000 北海道）");
    handlers.compareWith(table, CompareBy::Persons);  // Escape: the comparison stays
    EXPECT_TRUE(handlers.comparing());
    EXPECT_EQ(question.asked, 3);
}

TEST_F(TableRegion, AFailedSaveIsToldAndYesTriesAgain)
{
    question.answer(ScriptedRegionQuestion::Typed{"札幌"});
    draw(table);
    prompt.answer({true, false});
    EXPECT_FALSE(handlers.saveRegion(::testing::TempDir() + "/no such folder/a.txt"));
    ASSERT_EQ(prompt.asked.size(), 2u);
    EXPECT_NE(prompt.asked[0].message.find("no such folder/a.txt"), std::string::npos);
}
