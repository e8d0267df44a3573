#pragma once
// The main form's event handlers and the state it owns for the whole run.
// No Qt here: the window calls these, and tests call them on an in-memory form.

#include "chart/paper_marks.h"
#include "chart/pyramid_comparison.h"
#include "analysis/worksheet_figures.h"
#include "core/error_prompt.h"
#include "core/form_controls.h"
#include "data/population.h"

#include <optional>
#include <string>

namespace pyramid {

class PyramidForm {
public:
    PyramidForm(FormControls& controls, ErrorPrompt& prompt) : form_(controls), prompt_(prompt) {}

    void Form_Load();
    void Command1_Click();  // load the chosen file and draw the pyramid
    void Command2_Click();  // end the program
    void Command3_Click();  // set up the analysis
    void Drive1_Change();
    void Dir1_Change();
    void File1_Click();
    // Key typed in Text1(index); the key code is never changed.
    void Text1_KeyPress(int index, int keyCode);

    const PopulationData& data() const { return data_; }

    // Lays the file at `path` over the drawn pyramid, both on one common
    // scale, replacing any comparison before. Read as the draw reads, under
    // the same prompt; a file that cannot be read leaves the chart as it
    // was. Nothing happens before a draw has finished.
    void compareWith(const std::string& path, CompareBy by);
    // The drawn file back at its own scale, as a plain draw shows it.
    void stopComparing();
    bool comparing() const { return compared_.has_value(); }
    // The file the chart shows, as Label1 named it for its draw.
    const std::string& drawnPath() const noexcept { return drawnPath_; }

    // The reading of the row under (x, y) in chart units, with the compared
    // file's on a second line while comparing; empty off the rows.
    std::string rowTip(double x, double y) const;

    // What the chart surface shows, for a screen reader: the title, the male,
    // female and total population and the largest count once a draw has
    // finished; then the range and its share once a report has. Empty while
    // no draw has finished.
    std::string chartDescription() const;

    // Whether a pyramid stands on the chart: the last draw ran to its end.
    bool showsChart() const { return shows_ != ChartShows::Nothing; }
    // The figures that go with the chart onto a worksheet: the drawn file's
    // block, with the range and the eight result lines as their captions
    // show them while the chart shows a reported range; while comparing,
    // the compared file's block after it, with its four figures for the
    // range. Empty while no pyramid stands on the chart.
    std::vector<FileFigures> worksheetFigures() const;

    // What paper shows around the chart: the ages and the grid's value, and
    // a grid of paper's own for a small region. Empty while no pyramid
    // stands on the chart; never fails.
    PaperMarks paperMarks() const noexcept;

private:
    enum class ChartShows { Nothing, Pyramid, PyramidAndRange };

    struct Compared {
        PopulationData data;
        Comparison comparison;
        std::string path;   // as the menu or the drop named it
        std::string share;  // its share of the last reported range, as Label12(0) shows a value
        std::vector<std::string> figures;  // its four figures for that range, as the chart shows them
    };

    PyramidScale scale() const { return compared_ ? compared_->comparison.drawnScale : PyramidScale{}; }
    ShownFile shownDrawn() const;
    ShownFile shownCompared() const;
    // The chart again from the tables, at the scale of the comparison if any.
    void redraw(StatementRunner& run);
    // The outline over whatever the analysis drew, and the texts beside it.
    void showComparison(const std::vector<ChartText>& figures);

    FormControls& form_;
    ErrorPrompt& prompt_;
    PopulationData data_;  // MalePop, FemalePop and the summary values
    ChartShows shows_ = ChartShows::Nothing;
    double drawnClassCount_ = 0;  // ClassCount of the last draw that finished
    std::optional<Compared> compared_;
    std::string drawnPath_;  // the file the chart shows, as Label1 named it for the draw
};

}  // namespace pyramid
