// The form's handlers wired together on the in-memory form: start-up, exit,
// what the chart tells from draw to report, a draw gone wrong. (The whole
// road from choosing a file to a report is walked on the real window.)
#include "analysis/range_report.h"
#include "app/pyramid_form.h"
#include "support/memory_form.h"
#include "support/scripted_prompt.h"

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
