#pragma once
// The main form's event handlers and the state it owns for the whole run.
// No Qt here: the window calls these, and tests call them on an in-memory form.

#include "chart/paper_marks.h"
#include "chart/pyramid_comparison.h"
#include "analysis/generation.h"
#include "analysis/worksheet_figures.h"
#include "chart/folder_scale.h"
#include "core/error_prompt.h"
#include "core/form_controls.h"
#include "data/population.h"
#include "data/region_question.h"

#include <optional>
#include <string>

namespace pyramid {

// The error prompt, or for a range reported again by a step, silence: a
// No at once, as the user gave the answers to that range before.
class QuietablePrompt : public ErrorPrompt {
public:
    explicit QuietablePrompt(ErrorPrompt& shown) : shown_(shown) {}
    bool askToContinue(std::string_view title, std::string_view message) override;
    bool quiet = false;
    long shownCount = 0;  // prompts shown so far

private:
    ErrorPrompt& shown_;
};

class PyramidForm {
public:
    PyramidForm(FormControls& controls, ErrorPrompt& prompt) : form_(controls), prompt_(prompts_), prompts_(prompt) {}

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

    // Who answers "which region?" when the chosen file is a census table;
    // without one, a table is never drawn.
    void setRegionQuestion(RegionQuestion& question) noexcept { regionQuestion_ = &question; }

    // Whether the chart shows a region chosen from a census table.
    bool showsRegion() const noexcept { return showsChart() && drawnRegion_.has_value(); }
    // The name the region is saved under by default: "01101 札幌市中央区 2020.txt";
    // empty while no region is drawn.
    std::string regionFileName() const noexcept;
    // Writes the drawn region as a data file of the program's own format
    // (UTF-8, LF) to `path`. A failure goes to the error prompt: Yes tries
    // again, No gives up. True when the file was written.
    bool saveRegion(const std::string& path) noexcept;

    // Lays the file at `path` over the drawn pyramid, both on one common
    // scale, replacing any comparison before. Read as the draw reads, under
    // the same prompt; a file that cannot be read leaves the chart as it
    // was, and so does No to a chart that cannot be drawn at the common
    // scale. Nothing happens before a draw has finished.
    void compareWith(const std::string& path, CompareBy by);
    // The drawn file back at its own scale, as a plain draw shows it.
    void stopComparing();
    bool comparing() const noexcept { return compared_.has_value(); }
    // The file the chart shows, as Label1 named it for its draw.
    const std::string& drawnPath() const noexcept { return drawnPath_; }

    // What the window asks on its own, outside any handler, below: none of
    // it can fail, since an exception leaving a Qt event handler would end
    // the program.

    // The reading of the row under (x, y) in chart units, with the compared
    // file's on a second line while comparing; empty off the rows.
    std::string rowTip(double x, double y) const noexcept;

    // What the chart surface shows, for a screen reader: the title, the male,
    // female and total population and the largest count once a draw has
    // finished; then the range and its share once a report has. Empty while
    // no draw has finished.
    std::string chartDescription() const noexcept;

    // Whether a pyramid stands on the chart: the last draw ran to its end.
    bool showsChart() const noexcept { return shows_ != ChartShows::Nothing; }
    // The figures that go with the chart onto a worksheet: the drawn file's
    // block, with the range and the eight result lines as their captions
    // show them while the chart shows a reported range; while comparing,
    // the compared file's block after it, with its four figures for the
    // range. Empty while no pyramid stands on the chart.
    std::vector<FileFigures> worksheetFigures() const noexcept;

    // ---- Through the years: File1's folder on one common scale.
    // Selects the next (+1) or previous (-1) entry of File1 and runs
    // File1_Click and Command1_Click on it, drawing on the folder's common
    // scale; a range reported before is then reported again, through the
    // analysis set-up and the two age boxes, its failures answered No
    // without a prompt. Census tables are passed over. False, with nothing
    // done, at either end of the list or without a selected entry.
    bool stepFile(int direction);
    bool canStepFile(int direction) const noexcept;
    // Whether a step keeps the birth years of the range instead of its ages.
    bool followsGeneration() const noexcept { return followsGeneration_; }
    void followGeneration(bool on) noexcept { followsGeneration_ = on; }
    // Whether the chart stands on the folder's common scale (after a step).
    bool onFolderScale() const noexcept { return folderLargest_.has_value(); }
    // How many error prompts have been shown so far.
    long promptsShown() const noexcept { return prompts_.shownCount; }
    // The folder's files for one page: at most `most` of those that read,
    // spread over the folder, with their common scale. Empty without a
    // folder or when no file of it reads.
    struct Series {
        std::string folder;  // File1's directory
        std::vector<SeriesFile> files;
        PyramidScale scale;
        double largest = 0;
        std::size_t folderFiles = 0;  // the files of the folder that read
    };
    Series folderSeries(std::size_t most) noexcept;
    // Whether File1's folder has a file that reads (a folder of census
    // tables alone has no series to print). Reads only the files that are new
    // or changed since the folder's scale last looked at them; most fail at
    // their first items.
    bool hasFolderSeries() noexcept;

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

    PyramidScale scale() const noexcept
    {
        return compared_ ? compared_->comparison.drawnScale
                         : folderLargest_ ? folderScaleFor(*folderLargest_) : PyramidScale{};
    }
    // The followed range once more on the file a step has drawn.
    void reportAgain(const FollowedRange& range);
    ShownFile shownDrawn() const noexcept;
    ShownFile shownCompared() const noexcept;
    // The chart again from the tables, at the scale of the comparison if any.
    void redraw(StatementRunner& run);
    // The outline over whatever the analysis drew, and the texts beside it.
    void showComparison(const std::vector<ChartText>& figures);

    FormControls& form_;
    ErrorPrompt& prompt_;  // prompts_, the one the form was given behind it
    QuietablePrompt prompts_;
    PopulationData data_;  // MalePop, FemalePop and the summary values
    ChartShows shows_ = ChartShows::Nothing;
    double drawnClassCount_ = 0;  // ClassCount of the last draw that finished
    std::optional<Compared> compared_;
    std::string drawnPath_;  // the file the chart shows, as Label1 named it for the draw
    FolderScale folderScale_;
    std::optional<double> folderLargest_;      // the chart's folder scale: its largest count
    std::optional<double> nextFolderLargest_;  // what a step gives the draw it runs
    std::optional<FollowedRange> followed_;     // the range of the last whole report
    bool followsGeneration_ = false;

    // A region of a census table, as a data file's text.
    struct ChosenRegion {
        CensusRegionFile file;
        std::string code;
        std::string shownPath;  // the table's path and the region: "…/b02_01.xlsx（01100 札幌市）"
    };
    // Reads the table at `path` and asks for one of its regions; nothing
    // when the table cannot be read or the user cancels.
    std::optional<ChosenRegion> chooseRegion(const std::string& path);
    void drawRegion(ChosenRegion region);

    RegionQuestion* regionQuestion_ = nullptr;
    std::optional<ChosenRegion> drawnRegion_;  // what the chart shows, when it is a region of a table
};

}  // namespace pyramid
