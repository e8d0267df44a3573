#include "app/pyramid_form.h"

#include "analysis/analysis_setup.h"
#include "analysis/range_report.h"
#include "chart/pyramid_drawing.h"
#include "chart/pyramid_mapping.h"
#include "core/statement_runner.h"
#include "data/navigation.h"
#include "data/regional_file_load.h"

namespace pyramid {

void PyramidForm::Form_Load()
{
    form_.placeWindow(0, 5);
    form_.chart().setUserScale(chart::kWidth, chart::kHeight);
    form_.setVisible(Button::Command1, false);
    form_.setVisible(Button::Command3, false);
}

void PyramidForm::Command1_Click()
{
    runHandler(prompt_, [&](StatementRunner& run) {
        run([&] { form_.chart().clear(); });
        const double ClassCount = loadRegionalFile(run, form_, data_);
        drawPyramid(run, form_, data_, ClassCount);
    });
}

void PyramidForm::Command2_Click() { form_.endProgram(); }

void PyramidForm::Command3_Click()
{
    runHandler(prompt_, [&](StatementRunner& run) { setUpAnalysis(run, form_, data_); });
}

void PyramidForm::Drive1_Change() { driveChanged(form_); }
void PyramidForm::Dir1_Change() { directoryChanged(form_); }
void PyramidForm::File1_Click() { fileClicked(form_); }

void PyramidForm::Text1_KeyPress(int index, int keyCode)
{
    runHandler(prompt_,
               [&](StatementRunner& run) { ageBoxKeyPress(run, form_, data_, index, keyCode); });
}

}  // namespace pyramid
