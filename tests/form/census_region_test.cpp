// A region of the real Table 2-1 of 2020 on the in-memory form: asked for,
// drawn as a data file, analysed, compared and saved.
#include "app/pyramid_form.h"
#include "support/memory_form.h"
#include "support/scripted_prompt.h"

#include <gtest/gtest.h>

#include <deque>

using namespace pyramid;
using namespace pyramid::testing;

namespace {
// Answers 「地域を選ぶ」 as a user would: types a text and takes the first
// line left (nothing queued, or nothing left: Escape).
struct ScriptedRegionQuestion : RegionQuestion {
    std::optional<RegionChoice> askForRegion(const CensusTable& table) override
    {
        const auto lines = typed.empty() ? std::vector<std::size_t>{} : table.matching(typed.front());
        if (!typed.empty())
            typed.pop_front();
        return lines.empty() ? std::nullopt : std::optional(RegionChoice{lines.front(), japaneseOnly});
    }
    std::deque<std::string> typed;  // "" lists every region; "ない" leaves none
    bool japaneseOnly = false;
};

struct TableRegion : ::testing::Test {
    TableRegion() { handlers.setRegionQuestion(question); }
    void draw(const std::string& path, const char* typed = nullptr)
    {
        if (typed)
            question.typed.push_back(typed);
        form.captions[Label::Label1] = path;
        handlers.Command1_Click();
    }
    void report()
    {
        handlers.Command3_Click();
        form.ageBoxes = {"20", "40"};
        handlers.Text1_KeyPress(0, kEnterKey);
        handlers.Text1_KeyPress(1, kEnterKey);
    }

    const std::string table = PYRAMID_SAMPLES_DIR "/estat/b02_01.xlsx";
    MemoryForm form;
    ScriptedPrompt prompt;
    ScriptedRegionQuestion question;
    PyramidForm handlers{form, prompt};
};
}  // namespace

TEST_F(TableRegion, EscapeOrATableWithoutBothSexesLeavesTheChartAsItWas)
{
    draw(PYRAMID_SAMPLES_DIR "/japan-2020.txt");
    const auto lines = form.surface.lines;
    draw(table, "ない");  // Escape
    draw(PYRAMID_SAMPLES_DIR "/estat/FEH_00200521_260127162349.csv", "");  // No at the prompt
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_NE(prompt.asked[0].message.find("男女別"), std::string::npos);
    EXPECT_EQ(form.surface.lines, lines);
    EXPECT_EQ(form.captions[Label::Label2], "2020年  人口ピラミッド ");
    EXPECT_FALSE(handlers.showsRegion());
}

// 札幌 and Enter draw 01100 札幌市; saved and opened again it is the same
// chart with the same report.
TEST_F(TableRegion, SapporoWithItsAreaIsSavedAsTheSameChart)
{
    draw(table, "札幌");
    EXPECT_EQ(form.captions[Label::Label2], "札幌市 2020年  人口ピラミッド ");
    EXPECT_EQ(handlers.data().RegionWeight, regionArea("01100"));
    EXPECT_NE(handlers.chartDescription().find("。年齢不詳の "), std::string::npos);
    const auto drawn = form.surface.lines;
    report();
    EXPECT_EQ(handlers.worksheetFigures().at(0).path, "ファイル=" + table + "（01100 札幌市）");
    const auto results = form.results;
    const std::string saved = ::testing::TempDir() + handlers.regionFileName();
    ASSERT_TRUE(handlers.regionFileName() == "01100 札幌市 2020.txt" && handlers.saveRegion(saved));
    draw(saved);
    EXPECT_EQ(form.surface.lines, drawn);
    report();
    EXPECT_EQ(form.results, results);
    EXPECT_FALSE(handlers.saveRegion(saved));  // a data file is drawn now
    EXPECT_TRUE(prompt.asked.empty());
}

TEST_F(TableRegion, JapaneseOnlyComparedWithHokkaidoAndAFailedSave)
{
    question.japaneseOnly = true;
    draw(table, "０１１００");  // full-width digits alike
    EXPECT_EQ(handlers.regionFileName(), "01100 札幌市（日本人） 2020.txt");
    question.typed = {"北海道", "ない"};
    handlers.compareWith(table, CompareBy::Shares);
    handlers.compareWith(table, CompareBy::Persons);  // Escape: the comparison stays
    ASSERT_TRUE(handlers.comparing());
    EXPECT_EQ(handlers.worksheetFigures().at(1).title, "北海道（日本人） 2020年  人口ピラミッド");
    EXPECT_EQ(handlers.worksheetFigures().at(1).path, "ファイル=" + table + "（01000 北海道）");
    prompt.answer({true, false});
    EXPECT_FALSE(handlers.saveRegion(::testing::TempDir() + "no folder/a.txt"));
    ASSERT_EQ(prompt.asked.size(), 2u);  // Yes tried again
    EXPECT_NE(prompt.asked[0].message.find("no folder/a.txt（保存先のフォルダがありません）"), std::string::npos);
}
