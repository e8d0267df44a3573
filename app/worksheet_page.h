#pragma once
// The worksheet on paper: one page with the title, the chart drawn as lines,
// the report, the age groups, the data file's path and the date printed.

#include "analysis/worksheet_figures.h"
#include "chart/paper_marks.h"
#include "core/palette.h"

#include <QDate>
#include <QFont>
#include <QRectF>

#include <vector>

class QPainter;
class QPrinter;

namespace pyramid::ui {

class ChartWidget;

// Lays the page out inside `page` (device units of the painter's device),
// texts in `font` and its larger size for the title. The first block's
// report and age groups follow the chart; every further block (a file
// compared) follows with its title, path and age groups. The chart is in
// `ink` with `marks` around it.
void paintWorksheetPage(QPainter& painter, const QRectF& page, const ChartWidget& chart,
                        const std::vector<FileFigures>& figures, const QFont& font, const QDate& printed,
                        ChartInk ink = ChartInk::Paper, const PaperMarks& marks = {});

// The page onto the printer as it is set up; false when it cannot be opened.
bool printWorksheet(QPrinter& printer, const ChartWidget& chart, const std::vector<FileFigures>& figures,
                    const QFont& font, ChartInk ink = ChartInk::Paper, const PaperMarks& marks = {});

}  // namespace pyramid::ui
