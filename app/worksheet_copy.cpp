#include "app/worksheet_copy.h"

#include "app/chart_widget.h"

#include <QBuffer>

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

std::unique_ptr<QMimeData> worksheetClipboardItem(const ChartWidget& chart, const std::vector<FileFigures>& figures,
                                                  ChartInk ink, const PaperMarks& marks)
{
    auto item = std::make_unique<QMimeData>();
    const QImage picture = chart.picture(copyScale(chart.innerRect().size()), ink, marks);
    // PNG made here with a palette: the chart's colours are few and pure
    // (paper's from the 6 x 6 x 6 cube the reduction falls back on),
    // and the file is made three times faster than the platform's own
    // conversion at paste time would make it. The platform still offers the
    // picture in its other image types.
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    picture.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither).save(&png, "PNG");
    item->setData(QStringLiteral("image/png"), png.data());
    item->setImageData(picture);
    item->setText(QString::fromStdString(figuresText(figures)));
    return item;
}

}  // namespace pyramid::ui
