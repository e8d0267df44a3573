// The form's handlers wired together on the in-memory form: start-up, exit,
// what the chart tells from draw to report, a draw gone wrong. (The whole
// road from choosing a file to a report is walked on the real window.)
#include "analysis/range_report.h"
#include "app/pyramid_form.h"
#include "core/number_text.h"
#include "core/palette.h"
#include "support/library_files.h"
#include "support/memory_form.h"
#include "support/scripted_prompt.h"
#include "data/temp_files.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>

using namespace pyramid;
using namespace pyramid::testing;

namespace {

class FormRoad : public ::testing::Test {
protected:
    FormRoad() { form.onDirChanged = [this] { handlers.Dir1_Change(); }; }

    MemoryForm form;
    ScriptedPrompt prompt;
    PyramidForm handlers{form, prompt};
};

}  // namespace

TEST_F(FormRoad, StartUpPlacesTheWindowScalesTheChartAndHidesTwoButtons)
{
    handlers.Form_Load();
    EXPECT_EQ(form.windowLeft, 0);
    EXPECT_EQ(form.windowTop, 5);
    EXPECT_EQ(form.surface.scaleWidth, 640);
    EXPECT_EQ(form.surface.scaleHeight, 480);
    EXPECT_FALSE(form.visible[Button::Command1]);
    EXPECT_FALSE(form.visible[Button::Command3]);
    EXPECT_TRUE(form.visible[Button::Command2]);
}

TEST_F(FormRoad, ExitEndsTheProgramAtAnyTime)
{
    handlers.Form_Load();
    form.ageBoxes = {"20", ""};
    handlers.Text1_KeyPress(0, kEnterKey);
    handlers.Command2_Click();
    EXPECT_TRUE(form.ended);
}

// The chart tells its range only while a report that ran to its end stands
// on it: a failed report and the next analysis take it off.
TEST_F(FormRoad, TheChartDescriptionTellsTheRangeOnlyAfterAWholeReport)
{
    handlers.Form_Load();
    EXPECT_EQ(handlers.chartDescription(), "");
    form.captions[Label::Label1] = PYRAMID_SAMPLES_DIR "/japan-1995.txt";
    const auto report = [&](const char* from, const char* to) {
        form.ageBoxes = {from, to};
        handlers.Text1_KeyPress(0, kEnterKey);
        handlers.Text1_KeyPress(1, kEnterKey);
    };
    const std::pair<std::function<void()>, std::string> steps[] = {
        {[&] { handlers.Command1_Click(); }, ""},
        {[&] { handlers.Command3_Click(), report("20", "40"); }, "。範囲 20歳(1975)から 40歳(1955)まで、総人口比="},
        {[&] { report("150", "250"); }, ""},
        {[&] { report("20", "40"); }, "。範囲 20歳(1975)から 40歳(1955)まで、総人口比="},
        {[&] { handlers.Command3_Click(); }, ""},
    };
    const std::string pyramid = "1995年  人口ピラミッド：男 61485892人、女 63953381人、総人口 125439273人、年齢別の最大 ";
    for (const auto& [step, range] : steps) {
        step();
        const std::string told = handlers.chartDescription();
        EXPECT_TRUE(told.starts_with(pyramid)) << told;
        EXPECT_EQ(told.find("範囲") == std::string::npos, range.empty()) << told;
        EXPECT_NE(told.find(range), std::string::npos) << told;
    }
    EXPECT_EQ(prompt.asked.size(), 1u);  // the report beyond the tables, answered No
}

TEST_F(FormRoad, ADrawAfterTheRecordedPathBecameADirectoryFails)
{
    handlers.Form_Load();
    form.fileListPath = PYRAMID_SAMPLES_DIR;
    form.selectedFile = "akita-2020.txt";
    handlers.File1_Click();
    form.directory = PYRAMID_SAMPLES_DIR;
    handlers.Dir1_Change();  // Label1 now names the directory
    handlers.Command1_Click();
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(form.surface.clears, 1);
    EXPECT_TRUE(form.surface.lines.empty());
    EXPECT_FALSE(form.visible[Button::Command3]);
}

TEST_F(FormRoad, TheWorksheetFiguresOfHokkaido2020AfterAReportFrom20To40)
{
    handlers.Form_Load();
    const std::string path = library::file(library::kPrefectures, "01 北海道.txt");
    form.captions[Label::Label1] = path;
    handlers.Command1_Click();
    handlers.Command3_Click();
    form.ageBoxes = {"20", "40"};
    handlers.Text1_KeyPress(1, kEnterKey);
    ASSERT_TRUE(prompt.asked.empty()) << prompt.asked[0].message;
    form.captions[Label::Label1] = "/";  // moving the lists later does not change the drawn file

    // Checked by hand against the census: 555,804 + 2,945,727 + 1,664,023 = 5,165,554; every
    // figure worked out again with awk over the file. The labels keep their designed captions.
    EXPECT_EQ(form.results[0], "総人口比=0.20167265698897");
    EXPECT_EQ(figuresText(handlers.worksheetFigures()),
              "北海道 2020年  人口ピラミッド\n"
              "ファイル=" + path + "\n"
              "範囲=20歳(2000)から 40歳(1980)まで\n"
              "総人口比=0.20167265698897（20.2％）\n"
              "男人口比=0.214721827745932（21.5％）\n"
              "女人口比=0.190061228760542（19.0％）\n"
              "男／女比=1.00527617636019（人口性比 100.5）\n"
              "男人口計=522246\n"
              "女人口計=519505\n"
              "総人口　=5165554\n"
              "地域加重=61.9189532467943\n"
              "年少人口(0～14歳)=555804 割合=0.107598139521918（10.8％）\n"
              "生産年齢人口(15～64歳)=2945727 割合=0.570263518685508（57.0％）\n"
              "老年人口(65歳以上)=1664023 割合=0.322138341792574（32.2％）\n"
              "高齢化率=32.2％\n"
              "従属人口指数=75.4\n");

    // The next analysis takes the range off the chart, and off the worksheet.
    handlers.Command3_Click();
    EXPECT_TRUE(handlers.worksheetFigures().at(0).report.empty());
}

// What the window asks on its own, outside any handler, cannot throw: an
// exception leaving a Qt event handler would end the program.
static_assert(noexcept(std::declval<const PyramidForm&>().rowTip(0, 0)));
static_assert(noexcept(std::declval<const PyramidForm&>().chartDescription()));
static_assert(noexcept(std::declval<const PyramidForm&>().worksheetFigures()));

// Files whose figures no number can show. A comparison whose chart cannot be
// drawn, answered No, leaves the form as it was; the tooltip over every row,
// the description and the copied figures then still answer, with the dash
// where a figure has no value.
TEST_F(FormRoad, FiguresNoNumberCanShowGiveTheDashAndAFailedComparisonNothing)
{
    TempDir dir;
    const std::string tinyTotal = dir.write("tiny.txt", "t 2020\n1\n1e200\n-1e200\n-1e-104\n0\n");
    const std::string overflowing = dir.write("overflow.txt", "t 2020\n1\n1e308\n-1e308\n1e308\n0\n");
    const std::string census = PYRAMID_SAMPLES_DIR "/akita-2020.txt";
    struct Case {
        std::string drawn, compared;
        std::size_t prompts;  // the comparison's, each answered No
        std::string tip;      // the tooltip over age 0 begins so
        std::string copied;   // a line of the copied figures
    };
    const Case cases[] = {
        // Shares of a total of -1e-104: the drawn bars lie beyond any number.
        {tinyTotal, census, 1, "0歳（2020年生まれ）　男 1E+200人（-1E+306％）　女 -1E-104人（100.00％）", "ファイル=" + tinyTotal},
        {census, tinyTotal, 1, "0歳（2020年生まれ）　男 ", "ファイル=" + census},
        // Counts that cancel in the load's order, not in the age groups'.
        {overflowing, overflowing, 0, "0歳（2020年生まれ）　男 1E+308人（100.00％）", "年少人口(0～14歳)=― 割合=―"},
    };
    handlers.Form_Load();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.drawn + " / " + c.compared);
        prompt.asked.clear();
        form.captions[Label::Label1] = c.drawn;
        handlers.Command1_Click();
        ASSERT_TRUE(prompt.asked.empty());
        const RecordingChart drawn = form.surface;
        handlers.compareWith(c.compared, CompareBy::Shares);
        EXPECT_EQ(prompt.asked.size(), c.prompts);
        if (c.prompts > 0) {
            EXPECT_FALSE(handlers.comparing());
            EXPECT_EQ(form.surface.lines, drawn.lines);
            EXPECT_EQ(form.surface.clears, drawn.clears);
        }
        std::string tips;
        for (double y = 0; y <= 424; y += 2)
            for (double x : {0.0, 300.0, 320.0, 640.0})
                tips += handlers.rowTip(x, y);
        EXPECT_TRUE(handlers.rowTip(320, 418).starts_with(c.tip)) << handlers.rowTip(320, 418);
        EXPECT_EQ(tips.find("E+308％"), std::string::npos);
        EXPECT_TRUE(handlers.chartDescription().starts_with("t 2020年") || c.drawn == census);
        const std::string copied = figuresText(handlers.worksheetFigures());
        EXPECT_NE(copied.find("\n" + c.copied + "\n"), std::string::npos) << copied;
        EXPECT_EQ(handlers.worksheetFigures().size(), handlers.comparing() ? 2u : 1u);
        EXPECT_EQ(copied.find("E+308\n"), std::string::npos) << copied;
        EXPECT_EQ(copied.find("NaN"), std::string::npos) << copied;
    }
}
