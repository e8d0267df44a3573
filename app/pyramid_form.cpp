#include "app/pyramid_form.h"

#include "analysis/analysis_setup.h"
#include "analysis/range_report.h"
#include "chart/pyramid_drawing.h"
#include "chart/pyramid_mapping.h"
#include "core/number_text.h"
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
    shows_ = ChartShows::Nothing;
    runHandler(prompt_, [&](StatementRunner& run) {
        run([&] { form_.chart().clear(); });
        const double ClassCount = loadRegionalFile(run, form_, data_);
        drawPyramid(run, form_, data_, ClassCount);
        shows_ = ChartShows::Pyramid;
        // Label1 cannot change during the command: the prompt is modal.
        drawnPath_ = form_.caption(Label::Label1);
    });
}

void PyramidForm::Command2_Click() { form_.endProgram(); }

void PyramidForm::Command3_Click()
{
    // The set-up takes the highlight off, even when it stops half-way.
    if (shows_ == ChartShows::PyramidAndRange)
        shows_ = ChartShows::Pyramid;
    runHandler(prompt_, [&](StatementRunner& run) { setUpAnalysis(run, form_, data_); });
}

void PyramidForm::Drive1_Change() { driveChanged(form_); }
void PyramidForm::Dir1_Change() { directoryChanged(form_); }
void PyramidForm::File1_Click() { fileClicked(form_); }

void PyramidForm::Text1_KeyPress(int index, int keyCode)
{
    // Only a report that runs to its end tells its range and share; the
    // description is the window's bookkeeping, no statement of the handler.
    const bool reports = keyCode == kEnterKey && index != 0;
    if (reports && shows_ == ChartShows::PyramidAndRange)
        shows_ = ChartShows::Pyramid;
    runHandler(prompt_, [&](StatementRunner& run) {
        ageBoxKeyPress(run, form_, data_, index, keyCode);
        if (reports && shows_ != ChartShows::Nothing)
            shows_ = ChartShows::PyramidAndRange;
    });
}

std::string PyramidForm::chartDescription() const
{
    if (shows_ == ChartShows::Nothing)
        return {};
    std::string title = form_.caption(Label::Label2);
    while (!title.empty() && title.back() == ' ')
        title.pop_back();
    std::string text = title + "：男 " + generalText(data_.MaleTotal) + "人、女 " +
                       generalText(data_.FemaleTotal) + "人、総人口 " + generalText(data_.GrandTotal) +
                       "人、年齢別の最大 " + generalText(data_.MaxCount) + "人";
    if (shows_ == ChartShows::PyramidAndRange)
        text += "。範囲 " + form_.caption(Label::Label10) + " " + form_.caption(Label::Label11) + "、" +
                form_.resultCaption(0);
    return text;
}

std::vector<FileFigures> PyramidForm::worksheetFigures() const
{
    if (shows_ == ChartShows::Nothing)
        return {};
    FileFigures figures = fileFigures(drawnPath_, data_);
    if (shows_ == ChartShows::PyramidAndRange) {
        figures.report.push_back(rangeLine(form_.caption(Label::Label10), form_.caption(Label::Label11)));
        for (int i = 0; i < kResultLineCount; ++i)
            figures.report.push_back(form_.resultCaption(i));
    }
    return {figures};
}

}  // namespace pyramid
