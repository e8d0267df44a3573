#pragma once
// Copy and print of the worksheet: the two actions with their shortcuts,
// the clipboard and the print dialog. What they put out is composed
// elsewhere (the figures without Qt, the page, the clipboard item).

#include "analysis/worksheet_figures.h"
#include "chart/paper_marks.h"
#include "core/palette.h"

#include <QObject>

#include <functional>
#include <vector>

class QAction;
class QPrinter;
class QWidget;

namespace pyramid::ui {

class ChartWidget;

// Qt's print dialog for `printer` (printing to a PDF file is offered there
// without a printer), then `print`; a page that could not be begun (a PDF
// file in a folder that cannot be written, say) is said, not passed over as
// printed.
void printThroughDialog(QWidget& window, QPrinter& printer, const std::function<bool(QPrinter&)>& print);

class WorksheetActions : public QObject {
    Q_OBJECT
public:
    using Figures = std::function<std::vector<FileFigures>()>;

    // Ctrl+C and Ctrl+P act from every control of `window`; both stay
    // disabled until `setAvailable(true)`.
    WorksheetActions(QWidget& window, const ChartWidget& chart, Figures figures);

    QAction* copyAction() const { return copy_; }
    QAction* printAction() const { return print_; }
    // 「黒地で印刷・コピー」: checked, copy and print in the window's own
    // colours; else (as it starts) on white in paper's.
    QAction* blackGroundAction() const { return blackGround_; }
    ChartInk ink() const;
    // What paper shows around the chart (the ages, the grid's value); none
    // until given.
    void setPaperMarks(std::function<PaperMarks()> marks) { marks_ = std::move(marks); }
    void setAvailable(bool available);

    // The chart and the figures onto the clipboard as one item.
    void copy();
    // Asks the print dialog; Cancel prints nothing.
    void print();
    // The page onto a printer as it is set up, without asking.
    bool printTo(QPrinter& printer);

private:
    QWidget& window_;
    const ChartWidget& chart_;
    Figures figures_;
    QAction* copy_;
    QAction* print_;
    QAction* blackGround_;
    std::function<PaperMarks()> marks_;
};

}  // namespace pyramid::ui
