#include "app/pyramid_form.h"

#include "analysis/age_range.h"
#include "analysis/analysis_setup.h"
#include "analysis/range_comparison.h"
#include "analysis/range_report.h"
#include "chart/pyramid_drawing.h"
#include "chart/pyramid_mapping.h"
#include "core/leading_number.h"
#include "core/number_text.h"
#include "core/palette.h"
#include "core/statement_runner.h"
#include "data/navigation.h"
#include "data/regional_file_load.h"

#include <utility>
#include <vector>

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
    compared_.reset();
    runHandler(prompt_, [&](StatementRunner& run) {
        run([&] { form_.chart().clear(); });
        const double ClassCount = loadRegionalFile(run, form_, data_);
        drawPyramid(run, form_, data_, ClassCount);
        drawnClassCount_ = ClassCount;
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
    runHandler(prompt_, [&](StatementRunner& run) { setUpAnalysis(run, form_, data_, scale()); });
    // The result lines are empty now, and so are the compared file's figures.
    if (compared_)
        showComparison({});
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
    bool reported = false;
    runHandler(prompt_, [&](StatementRunner& run) {
        ageBoxKeyPress(run, form_, data_, index, keyCode, scale());
        reported = reports && shows_ != ChartShows::Nothing;
        if (reported)
            shows_ = ChartShows::PyramidAndRange;
    });
    if (!reports || !compared_)
        return;
    std::vector<ChartText> figures;
    compared_->share.clear();
    compared_->figures.clear();
    if (reported) {
        // The same range the report just summed: the boxes are as it read them.
        AgeRange range{leadingNumber(form_.ageText(0)), leadingNumber(form_.ageText(1))};
        if (range.ToAge < range.FromAge)
            std::swap(range.FromAge, range.ToAge);
        std::vector<std::string> lines = comparedFigures(compared_->data, range);
        compared_->share = lines.front().substr(resultLiteral(0).size());
        compared_->figures = lines;
        lines.insert(lines.begin(), comparedHeading(compared_->data));
        figures = placeOnFreeCorner(lines, palette::Outline, shownDrawn(), shownCompared());
    }
    showComparison(figures);
}

void PyramidForm::compareWith(const std::string& path, CompareBy by)
{
    if (shows_ == ChartShows::Nothing)
        return;
    runHandler(prompt_, [&](StatementRunner& run) {
        PopulationData compared;
        const double classes = readRegionalFile(run, path, compared);
        Comparison comparison = run([&] { return compareFiles(data_, compared, classes, by); });
        // Nothing below can fail: the drawn file at the common scale reaches
        // no further than at its own.
        compared_ = Compared{std::move(compared), std::move(comparison), path, {}, {}};
        redraw(run);
    });
}

void PyramidForm::stopComparing()
{
    if (!compared_)
        return;
    compared_.reset();
    runHandler(prompt_, [&](StatementRunner& run) { redraw(run); });
}

void PyramidForm::redraw(StatementRunner& run)
{
    // A fresh chart has no highlight; the result lines stay as a draw leaves them.
    if (shows_ == ChartShows::PyramidAndRange)
        shows_ = ChartShows::Pyramid;
    run([&] { form_.chart().clear(); });
    drawPyramidChart(run, form_.chart(), data_, drawnClassCount_, scale());
    if (compared_)
        showComparison({});
}

void PyramidForm::showComparison(const std::vector<ChartText>& figures)
{
    ChartSurface& surface = form_.chart();
    for (const OutlineLine& l : compared_->comparison.outline)
        surface.line(l.x1, l.y1, l.x2, l.y2, palette::Outline);
    std::vector<ChartText> notes = compared_->comparison.legend;
    notes.insert(notes.end(), figures.begin(), figures.end());
    surface.setNotes(std::move(notes));
}

ShownFile PyramidForm::shownDrawn() const
{
    return {&data_, chartRows(drawnClassCount_), scale().barScaleOf(data_)};
}

ShownFile PyramidForm::shownCompared() const
{
    if (!compared_)
        return {};
    return {&compared_->data, compared_->comparison.comparedRows, compared_->comparison.comparedBarScale};
}

std::string PyramidForm::rowTip(double x, double y) const
{
    if (shows_ == ChartShows::Nothing)
        return {};
    const ShownFile drawn = shownDrawn();
    const ShownFile compared = shownCompared();
    const int row = rowUnder(x, y, drawn, compared);
    if (row == 0)
        return {};
    std::string tip = rowReading(data_, drawn.rows, row);
    if (compared_)
        tip += "\n輪郭 " + compared_->data.TitleYear + "：" + rowReading(compared_->data, compared.rows, row);
    return tip;
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
    if (compared_) {
        text += "。比較：実線 " + data_.TitleYear + "、輪郭 " + compared_->data.TitleYear + "、" +
                std::string(compareByName(compared_->comparison.by)) + "で比較";
        if (shows_ == ChartShows::PyramidAndRange && !compared_->share.empty())
            text += "、輪郭の総人口比=" + compared_->share;
    }
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
            figures.report.push_back(worksheetResultLine(i, form_.resultCaption(i)));
    }
    if (!compared_)
        return {figures};
    FileFigures other = fileFigures(compared_->path, compared_->data);
    if (!compared_->figures.empty() && !figures.report.empty()) {
        other.report.push_back(figures.report.front());
        for (std::size_t i = 0; i < compared_->figures.size(); ++i)
            other.report.push_back(worksheetResultLine(int(i), compared_->figures[i]));
    }
    return {figures, other};
}

PaperMarks PyramidForm::paperMarks() const noexcept
{
    try {
        if (shows_ == ChartShows::Nothing)
            return {};
        const bool shares = compared_ && compared_->comparison.by == CompareBy::Shares;
        return pyramid::paperMarks(scale(), scale().barScaleOf(data_), shares ? data_.GrandTotal : 0);
    } catch (...) {
        return {};  // no marks rather than no page
    }
}

}  // namespace pyramid
