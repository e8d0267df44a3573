// The form's handlers wired together on the in-memory form: start-up, exit
// and the whole road from choosing a real data file to a report.
#include "analysis/range_report.h"
#include "app/pyramid_form.h"
#include "core/number_text.h"
#include "core/palette.h"
#include "support/library_files.h"
#include "support/memory_form.h"
#include "support/sample_figures.h"
#include "support/scripted_prompt.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace pyramid;
using namespace pyramid::testing;

namespace {

double sum(const std::vector<double>& v, int from, int to)
{
    double s = 0;
    for (int a = from; a <= to; ++a)
        s += v.at(a);
    return s;
}

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

TEST_F(FormRoad, ChooseDrawAnalyseTwentyToFortyOnRealData)
{
    const std::string dir = PYRAMID_SAMPLES_DIR;
    const SampleFigures figures = readSampleFigures(dir + "/japan-1995.txt");

    handlers.Form_Load();
    form.drive = "/";
    handlers.Drive1_Change();
    form.directory = dir;
    handlers.Dir1_Change();
    form.selectedFile = "japan-1995.txt";
    handlers.File1_Click();
    EXPECT_EQ(form.caption(Label::Label1), dir + "/japan-1995.txt");
    EXPECT_TRUE(form.visible[Button::Command1]);

    handlers.Command1_Click();
    ASSERT_TRUE(prompt.asked.empty()) << prompt.asked[0].message;
    EXPECT_EQ(form.caption(Label::Label2), "1995年  人口ピラミッド ");
    EXPECT_EQ(form.caption(Label::Label3), "男");
    EXPECT_EQ(form.caption(Label::Label4), "女");
    EXPECT_EQ(form.caption(Label::Label6), "０");
    EXPECT_TRUE(form.visible[Button::Command3]);
    EXPECT_EQ(form.focus, "Command3");
    EXPECT_EQ(form.surface.lines.size(), 6u + 26u + 101u * 3u);

    handlers.Command3_Click();
    EXPECT_EQ(form.focus, "Text1(0)");
    form.ageBoxes[0] = "20";
    handlers.Text1_KeyPress(0, kEnterKey);
    form.ageBoxes[1] = "40";
    handlers.Text1_KeyPress(1, kEnterKey);
    ASSERT_TRUE(prompt.asked.empty()) << prompt.asked[0].message;

    const double m = sum(figures.male, 20, 40), f = sum(figures.female, 20, 40);
    const double MaleTotal = sum(figures.male, 0, 100), FemaleTotal = sum(figures.female, 0, 100);
    EXPECT_EQ(MaleTotal, 61485892);  // the sources' stated totals
    EXPECT_EQ(FemaleTotal, 63953381);
    const double grand = MaleTotal + FemaleTotal;
    EXPECT_EQ(form.caption(Label::Label10), "20歳(1975)から");
    EXPECT_EQ(form.caption(Label::Label11), "40歳(1955)まで");
    EXPECT_EQ(form.results[0], "総人口比=" + generalText((m + f) / grand));
    EXPECT_EQ(form.results[3], "男／女比=" + generalText(m / f));
    EXPECT_EQ(form.results[4], "男人口計=" + generalText(m));
    EXPECT_EQ(form.results[6], "総人口　=125439273");
    EXPECT_EQ(form.results[7], "地域加重=125439273");
    EXPECT_EQ(form.focus, "Command2");

    // The next analysis puts the highlighted rows back in pyramid colours.
    const std::size_t before = form.surface.lines.size();
    handlers.Command3_Click();
    ASSERT_EQ(form.surface.lines.size(), before + 21u * 3u);
    EXPECT_EQ(form.surface.lines[before].colour, palette::LightRed);       // age 20
    EXPECT_EQ(form.surface.lines[before + 3].colour, palette::BrightWhite); // age 21
    EXPECT_EQ(handlers.chartDescription().find("範囲"), std::string::npos);  // nor tells it
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
    const std::string path = hokkaido2020();
    form.captions[Label::Label1] = path;
    handlers.Command1_Click();
    handlers.Command3_Click();
    form.ageBoxes = {"20", "40"};
    handlers.Text1_KeyPress(1, kEnterKey);
    ASSERT_TRUE(prompt.asked.empty()) << prompt.asked[0].message;
    form.captions[Label::Label1] = "/";  // moving the lists later does not change the drawn file

    // Checked by hand against the census: 555,804 + 2,945,727 + 1,664,023 = 5,165,554.
    EXPECT_EQ(figuresText(handlers.worksheetFigures()),
              "北海道 2020年  人口ピラミッド\n"
              "ファイル=" + path + "\n"
              "範囲=20歳(2000)から 40歳(1980)まで\n"
              "総人口比=0.20167265698897\n"
              "男人口比=0.214721827745932\n"
              "女人口比=0.190061228760542\n"
              "男／女比=1.00527617636019\n"
              "男人口計=522246\n"
              "女人口計=519505\n"
              "総人口　=5165554\n"
              "地域加重=61.918990357616\n"
              "年少人口(0～14歳)=555804 割合=0.107598139521918\n"
              "生産年齢人口(15～64歳)=2945727 割合=0.570263518685508\n"
              "老年人口(65歳以上)=1664023 割合=0.322138341792574\n"
              "従属人口比=0.753575263423936\n");

    // The next analysis takes the range off the chart, and off the worksheet.
    handlers.Command3_Click();
    EXPECT_TRUE(handlers.worksheetFigures().at(0).report.empty());
}
