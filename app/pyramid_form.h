#pragma once
// The main form's event handlers and the state it owns for the whole run.
// No Qt here: the window calls these, and tests call them on an in-memory form.

#include "analysis/worksheet_figures.h"
#include "core/error_prompt.h"
#include "core/form_controls.h"
#include "data/population.h"

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

    // What the chart surface shows, for a screen reader: the title, the male,
    // female and total population and the largest count once a draw has
    // finished; then the range and its share once a report has. Empty while
    // no draw has finished.
    std::string chartDescription() const;

    // Whether a pyramid stands on the chart: the last draw ran to its end.
    bool showsChart() const { return shows_ != ChartShows::Nothing; }
    // The figures that go with the chart onto a worksheet: the drawn file's
    // block, with the range and the eight result lines as their captions
    // show them while the chart shows a reported range. Empty while no
    // pyramid stands on the chart.
    std::vector<FileFigures> worksheetFigures() const;

private:
    enum class ChartShows { Nothing, Pyramid, PyramidAndRange };

    FormControls& form_;
    ErrorPrompt& prompt_;
    PopulationData data_;  // MalePop, FemalePop and the summary values
    ChartShows shows_ = ChartShows::Nothing;
    std::string drawnPath_;  // the file the chart shows, as Label1 named it for the draw
};

}  // namespace pyramid
