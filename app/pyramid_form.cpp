#include "app/pyramid_form.h"

#include "analysis/analysis_setup.h"
#include "analysis/range_comparison.h"
#include "analysis/range_report.h"
#include "chart/pyramid_drawing.h"
#include "chart/pyramid_mapping.h"
#include "core/number_text.h"
#include "core/palette.h"
#include "core/statement_runner.h"
#include "data/census_table.h"
#include "data/data_file_writer.h"
#include "data/navigation.h"
#include "data/regional_file_load.h"

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
    // A census table holds many regions: the one asked for is drawn as if
    // it were a data file, and Label1 keeps naming the table.
    const std::string chosen = form_.caption(Label::Label1);
    if (isCensusTable(chosen)) {
        // A region is drawn at its own scale: the folder's counts are files'.
        nextFolderLargest_.reset();
        if (std::optional<ChosenRegion> region = chooseRegion(chosen)) {
            folderLargest_.reset();
            followed_.reset();
            drawRegion(std::move(*region));
        }
        return;
    }
    drawnRegion_.reset();
    shows_ = ChartShows::Nothing;
    compared_.reset();
    // A step's draw stands on the folder's scale, any other on the file's own.
    folderLargest_ = std::exchange(nextFolderLargest_, std::nullopt);
    followed_.reset();
    runHandler(prompt_, [&](StatementRunner& run) {
        run([&] { form_.chart().clear(); });
        const double ClassCount = loadRegionalFile(run, form_, data_);
        drawPyramid(run, form_, data_, ClassCount, scale());
        drawnClassCount_ = ClassCount;
        shows_ = ChartShows::Pyramid;
        // Label1 cannot change during the command: the prompt is modal.
        drawnPath_ = form_.caption(Label::Label1);
    });
}

std::optional<PyramidForm::ChosenRegion> PyramidForm::chooseRegion(const std::string& path)
{
    std::optional<CensusTable> table;
    runHandler(prompt_, [&](StatementRunner& run) { run([&] { table = readCensusTable(path); }); });
    if (!table || !regionQuestion_)
        return std::nullopt;
    // Asking the same region again would fail the same way: Yes at a region
    // that cannot make a pyramid lets the user choose another.
    for (;;) {
        const std::optional<RegionChoice> choice = regionQuestion_->askForRegion(*table);
        if (!choice || choice->index >= table->regions().size())
            return std::nullopt;
        try {
            CensusRegionFile file = table->regionFile(choice->index, choice->japaneseOnly);
            std::string shownPath = path + "（" + file.label + "）";
            return ChosenRegion{std::move(file), table->regions()[choice->index].code, std::move(shownPath)};
        } catch (const Failure& failure) {
            if (!prompt_.askToContinue(kErrorPromptTitle, errorPromptMessage(failure.description())))
                return std::nullopt;
        }
    }
}

// The draw command's own statements, over the region's text in memory.
void PyramidForm::drawRegion(ChosenRegion region)
{
    drawnRegion_.reset();
    shows_ = ChartShows::Nothing;
    compared_.reset();
    runHandler(prompt_, [&](StatementRunner& run) {
        run([&] { form_.chart().clear(); });
        const double ClassCount = loadRegionalText(run, form_, data_, region.file.text);
        drawPyramid(run, form_, data_, ClassCount);
        drawnClassCount_ = ClassCount;
        shows_ = ChartShows::Pyramid;
        drawnPath_ = region.shownPath;
        drawnRegion_ = std::move(region);
    });
}

std::string PyramidForm::regionFileName() const noexcept
{
    if (!showsRegion())
        return {};
    return drawnRegion_->code + " " + drawnRegion_->file.titleYear + ".txt";
}

bool PyramidForm::saveRegion(const std::string& path) noexcept
{
    if (!showsRegion())
        return false;
    bool saved = false;
    runHandler(prompt_, [&](StatementRunner& run) {
        run([&] { writeDataFile(path, drawnRegion_->file.text); });
        saved = true;
    });
    return saved;
}

void PyramidForm::Command2_Click() { form_.endProgram(); }

void PyramidForm::Command3_Click()
{
    // The set-up takes the highlight off, even when it stops half-way.
    if (shows_ == ChartShows::PyramidAndRange)
        shows_ = ChartShows::Pyramid;
    followed_.reset();
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
    AgeBoxOutcome outcome;
    runHandler(prompt_, [&](StatementRunner& run) {
        ageBoxKeyPress(run, form_, data_, index, keyCode, scale(), &outcome);
    });
    // Only a report that runs to its end tells its range and share; the
    // description is the window's bookkeeping, no statement of the handler.
    if (!outcome.reportBegun)
        return;
    if (shows_ == ChartShows::PyramidAndRange)
        shows_ = ChartShows::Pyramid;
    const bool reported = outcome.reported && shows_ != ChartShows::Nothing;
    if (reported)
        shows_ = ChartShows::PyramidAndRange;
    // A step carries the range of the last whole report on to the next file.
    followed_ = reported ? std::optional(followedRange(form_.ageText(0), form_.ageText(1), data_.TitleYear))
                         : std::nullopt;
    if (!compared_)
        return;
    std::vector<ChartText> figures;
    compared_->share.clear();
    compared_->figures.clear();
    if (shows_ == ChartShows::PyramidAndRange) {
        std::vector<std::string> lines = comparedFigures(compared_->data, *outcome.reported);
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
    std::optional<ChosenRegion> region;
    if (isCensusTable(path) && !(region = chooseRegion(path)))
        return;
    runHandler(prompt_, [&](StatementRunner& run) {
        PopulationData compared;
        const double classes = region ? readRegionalText(run, region->file.text, compared)
                                      : readRegionalFile(run, path, compared);
        Comparison comparison = run([&] { return compareFiles(data_, compared, classes, by); });
        // The drawn file at the common scale can fail (a total that turns a
        // share into a number beyond the chart): drawn once unseen first, so
        // that No leaves the chart and the form as they were.
        tryPyramidChart(run, data_, drawnClassCount_, comparison.drawnScale);
        compared_ = Compared{std::move(compared), std::move(comparison), region ? region->shownPath : path, {}, {}};
        folderLargest_.reset();  // taking the comparison off gives the file's own scale
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

ShownFile PyramidForm::shownDrawn() const noexcept
{
    // Plain arithmetic: the draw this follows divided by the same MaxCount.
    const PyramidScale drawn = scale();
    return {&data_, chartRows(drawnClassCount_), drawn.barScale ? *drawn.barScale : chart::kLongestBar / data_.MaxCount};
}

ShownFile PyramidForm::shownCompared() const noexcept
{
    if (!compared_)
        return {};
    return {&compared_->data, compared_->comparison.comparedRows, compared_->comparison.comparedBarScale};
}

std::string PyramidForm::rowTip(double x, double y) const noexcept
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

std::string PyramidForm::chartDescription() const noexcept
{
    if (shows_ == ChartShows::Nothing)
        return {};
    std::string title = form_.caption(Label::Label2);
    while (!title.empty() && title.back() == ' ')
        title.pop_back();
    std::string text = title + "：男 " + generalText(data_.MaleTotal) + "人、女 " +
                       generalText(data_.FemaleTotal) + "人、総人口 " + generalText(data_.GrandTotal) +
                       "人、年齢別の最大 " + generalText(data_.MaxCount) + "人";
    if (folderLargest_)
        text += "。目盛りはフォルダ共通（年齢別の最大 " + generalText(*folderLargest_) + "人）";
    if (drawnRegion_)
        text += "。年齢不詳の " + generalText(drawnRegion_->file.unknownAge) + "人は含めていません";
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

std::vector<FileFigures> PyramidForm::worksheetFigures() const noexcept
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
