#pragma once
// The worksheet's clipboard item: the chart as a picture for a word
// processor or a slide, the figures as plain text for an editor or a
// spreadsheet, in one item.

#include "analysis/worksheet_figures.h"
#include "chart/paper_marks.h"
#include "core/palette.h"

#include <QMimeData>
#include <QSize>

#include <memory>
#include <vector>

namespace pyramid::ui {

class ChartWidget;

// The copied chart is at least this large: two pixels to a user unit.
inline constexpr QSize kCopiedChartSize{1280, 960};

// The smallest whole number of pixels to a logical pixel that makes a chart
// of `inner` logical pixels at least kCopiedChartSize: whole, so every line
// is equally thick and crisp.
int copyScale(QSize inner);

// The chart in `ink` with `marks` around it, and the figures.
std::unique_ptr<QMimeData> worksheetClipboardItem(const ChartWidget& chart, const std::vector<FileFigures>& figures,
                                                  ChartInk ink = ChartInk::Paper, const PaperMarks& marks = {});

}  // namespace pyramid::ui
