#include "app/series_page.h"

#include "app/chart_widget.h"
#include "core/number_text.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace pyramid::ui {

namespace {

// The window's fonts are sized in pixels at 96 dots to the inch; on paper
// their size in points.
QFont inPoints(QFont font, double times)
{
    if (font.pixelSize() > 0)
        font.setPointSizeF(font.pixelSize() * 72.0 / 96.0);
    font.setPointSizeF(font.pointSizeF() * times);
    return font;
}

QString shown(const std::string& text) { return QString::fromStdString(text); }

// The columns that give the pyramids the most room in `area`, each with a
// title line of `titleHeight` above it.
int bestColumns(std::size_t count, const QSizeF& area, const QSizeF& chart, double titleHeight)
{
    int best = 1;
    double bestScale = 0;
    for (int columns = 1; columns <= int(count); ++columns) {
        const int rows = int((count + std::size_t(columns) - 1) / std::size_t(columns));
        const double scale = std::min(area.width() / columns / chart.width(),
                                      (area.height() / rows - titleHeight) / chart.height());
        if (scale > bestScale) {
            bestScale = scale;
            best = columns;
        }
    }
    return best;
}

}  // namespace

void paintSeriesPage(QPainter& painter, const QRectF& page, const PyramidForm::Series& series,
                     const ChartWidget& chart, const QFont& font, const QDate& printed, ChartInk ink)
{
    if (series.files.empty())
        return;
    painter.save();
    painter.setPen(Qt::black);
    const QFont titleFont = inPoints(font, 1.8);
    const QFont textFont = inPoints(font, 1.1);
    const double textHeight = QFontMetricsF(textFont, painter.device()).height();

    double y = page.top();
    painter.setFont(titleFont);
    QRectF used;
    painter.drawText(QRectF(page.left(), y, page.width(), page.height()), Qt::AlignLeft | Qt::AlignTop,
                     shown(std::filesystem::path(series.folder).filename().string() + "　人口ピラミッドの移り変わり"), &used);
    y = used.bottom() + textHeight * 0.25;
    std::string note = "目盛りは全ファイル共通：年齢別人口の最大 " + generalText(series.largest) + "人を最も長い棒とする";
    if (series.files.size() < series.folderFiles)
        note += "（" + std::to_string(series.folderFiles) + "ファイルから" + std::to_string(series.files.size()) +
                "ファイルを等間隔に選択）";
    note += "　印刷日=" + printed.toString(QStringLiteral("yyyy年M月d日")).toStdString();
    painter.setFont(textFont);
    painter.drawText(QRectF(page.left(), y, page.width(), textHeight * 2), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                     shown(note), &used);
    y = used.bottom() + textHeight * 0.5;

    // Each pyramid drawn on a chart of the window's size, then replayed as
    // the printed chart is: from its lines.
    ChartWidget cell;
    cell.setFont(chart.font());
    cell.resize(chart.size());
    cell.setUserScale(chart::kWidth, chart::kHeight);
    const QSizeF inner = cell.innerRect().size();
    const QRectF area(page.left(), y, page.width(), page.bottom() - y);
    const int columns = bestColumns(series.files.size(), area.size(), inner, textHeight * 1.2);
    const int rows = int((series.files.size() + std::size_t(columns) - 1) / std::size_t(columns));
    const double cellWidth = area.width() / columns;
    const double cellHeight = area.height() / rows;
    const double scale = std::min(cellWidth / inner.width(), (cellHeight - textHeight * 1.2) / inner.height()) * 0.96;
    for (std::size_t k = 0; k < series.files.size(); ++k) {
        const SeriesFile& file = series.files[k];
        const double left = area.left() + cellWidth * double(int(k) % columns);
        const double top = area.top() + cellHeight * double(int(k) / columns);
        const double chartLeft = left + (cellWidth - inner.width() * scale) / 2;
        painter.setFont(textFont);
        painter.drawText(QRectF(chartLeft, top, inner.width() * scale, textHeight * 1.2),
                         Qt::AlignHCenter | Qt::AlignTop, shown(file.data.TitleYear));
        drawSeriesChart(cell, file, series.scale);
        painter.save();
        painter.translate(chartLeft, top + textHeight * 1.2);
        cell.paintChart(painter, scale, ink);
        painter.restore();
    }
    painter.restore();
}

bool printSeriesPage(QPrinter& printer, const PyramidForm::Series& series, const ChartWidget& chart,
                     const QFont& font, ChartInk ink)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QRectF page(QPointF(0, 0), printer.pageRect(QPrinter::DevicePixel).size());
    paintSeriesPage(painter, page, series, chart, font, QDate::currentDate(), ink);
    return painter.end();
}

QImage seriesPicture(const PyramidForm::Series& series, const ChartWidget& chart, const QFont& font, ChartInk ink,
                     QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    // 150 dots to the inch, so the page's point sizes come out as on paper.
    const int dotsPerMetre = int(std::lround(150 / 0.0254));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    QPainter painter(&image);
    const double margin = 150 * 10 / 25.4;  // 10 mm
    paintSeriesPage(painter, QRectF(margin, margin, size.width() - 2 * margin, size.height() - 2 * margin), series,
                    chart, font, QDate::currentDate(), ink);
    return image;
}

}  // namespace pyramid::ui
