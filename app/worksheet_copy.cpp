#include "app/worksheet_copy.h"

#include "app/chart_widget.h"

#include <algorithm>
#include <cmath>

namespace pyramid::ui {

int copyScale(QSize inner)
{
    if (inner.isEmpty())
        return 1;
    const double needed = std::max(double(kCopiedChartSize.width()) / inner.width(),
                                   double(kCopiedChartSize.height()) / inner.height());
    return std::max(1, int(std::ceil(needed)));
}

std::unique_ptr<QMimeData> worksheetClipboardItem(const ChartWidget& chart, const std::vector<FileFigures>& figures)
{
    auto item = std::make_unique<QMimeData>();
    // The platform offers the picture as PNG (and its other image types)
    // when a program asks for it.
    item->setImageData(chart.picture(copyScale(chart.innerRect().size())));
    item->setText(QString::fromStdString(figuresText(figures)));
    return item;
}

}  // namespace pyramid::ui
